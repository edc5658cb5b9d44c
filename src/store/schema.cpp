#include "store/schema.h"

#include <vector>

#include "settings/message_format.h"

namespace planek::store {

namespace {

// Every row that an act may change carries a version, raised by each
// change, so an act that read version n and finds another knows someone
// was there first. A migration is a list of statements; a new one is
// appended, never an old one changed (a server that had it keeps it).
const std::vector<std::vector<const char*>> kMigrations = {
    {
        R"(CREATE TABLE workers (
             id integer PRIMARY KEY,
             surname text NOT NULL DEFAULT '',
             first_name text NOT NULL DEFAULT '',
             archived boolean NOT NULL DEFAULT false,
             position integer NOT NULL,
             record text NOT NULL,
             version integer NOT NULL DEFAULT 1))",
        R"(CREATE TABLE groups (
             id integer PRIMARY KEY,
             name text NOT NULL DEFAULT '',
             position integer NOT NULL,
             record text NOT NULL,
             version integer NOT NULL DEFAULT 1))",
        R"(CREATE TABLE shifts (
             group_id integer NOT NULL REFERENCES groups (id) ON DELETE CASCADE,
             no integer NOT NULL,
             record text NOT NULL,
             version integer NOT NULL DEFAULT 1,
             PRIMARY KEY (group_id, no)))",
        R"(CREATE TABLE balances (
             worker_id integer PRIMARY KEY REFERENCES workers (id) ON DELETE CASCADE,
             holiday_current integer NOT NULL DEFAULT 0,
             holiday_previous integer NOT NULL DEFAULT 0,
             care_days integer NOT NULL DEFAULT 0,
             reha_days integer NOT NULL DEFAULT 0,
             version integer NOT NULL DEFAULT 1))",
        R"(CREATE TABLE options (
             file text NOT NULL,
             position integer NOT NULL,
             section text NOT NULL,
             key text,
             value text,
             version integer NOT NULL DEFAULT 1,
             PRIMARY KEY (file, position)))",
        R"(CREATE TABLE worked_sundays (
             worker_id integer NOT NULL,
             year integer NOT NULL,
             sundays text NOT NULL,
             position integer NOT NULL,
             version integer NOT NULL DEFAULT 1,
             PRIMARY KEY (worker_id, year)))",
        R"(CREATE TABLE months (
             id serial PRIMARY KEY,
             name text NOT NULL UNIQUE,
             year integer NOT NULL,
             month integer NOT NULL,
             -- written with the end section that proves it whole, as this program writes them
             sealed boolean NOT NULL DEFAULT true,
             version integer NOT NULL DEFAULT 1))",
        // The lines of a month file that no other table holds, in their
        // order: the sections' headings among them show where the duties,
        // days off and day parameters go back.
        R"(CREATE TABLE month_lines (
             month_id integer NOT NULL REFERENCES months (id) ON DELETE CASCADE,
             position integer NOT NULL,
             line text NOT NULL,
             version integer NOT NULL DEFAULT 1,
             PRIMARY KEY (month_id, position)))",
        R"(CREATE TABLE duties (
             month_id integer NOT NULL REFERENCES months (id) ON DELETE CASCADE,
             position integer NOT NULL,
             group_id integer NOT NULL,
             worker_id integer NOT NULL,
             day integer NOT NULL,
             shift integer NOT NULL,
             start_minute integer NOT NULL,
             length_minutes integer NOT NULL,
             record text NOT NULL,
             version integer NOT NULL DEFAULT 1,
             PRIMARY KEY (month_id, position)))",
        "CREATE INDEX duties_worker ON duties (month_id, worker_id, day)",
        R"(CREATE TABLE days_off (
             month_id integer NOT NULL REFERENCES months (id) ON DELETE CASCADE,
             position integer NOT NULL,
             group_id integer NOT NULL,
             worker_id integer NOT NULL,
             day_from integer NOT NULL,
             day_to integer NOT NULL,
             kind text NOT NULL,
             record text NOT NULL,
             version integer NOT NULL DEFAULT 1,
             PRIMARY KEY (month_id, position)))",
        "CREATE INDEX days_off_worker ON days_off (month_id, worker_id, day_from)",
        R"(CREATE TABLE day_parameters (
             month_id integer NOT NULL REFERENCES months (id) ON DELETE CASCADE,
             section text NOT NULL,
             position integer NOT NULL,
             key text NOT NULL,
             value text NOT NULL,
             version integer NOT NULL DEFAULT 1,
             PRIMARY KEY (month_id, section, position)))",
        // Append-only: what a head nurse reads when a duty "disappeared".
        R"(CREATE TABLE history (
             id bigserial PRIMARY KEY,
             at timestamptz NOT NULL DEFAULT now(),
             user_name text NOT NULL,
             computer text NOT NULL,
             act text NOT NULL,
             month text,
             worker_id integer,
             before text,
             after text))",
        "CREATE INDEX history_month ON history (month, worker_id, at)",
    },
    {
        // Who is editing which ward's month right now. The server process
        // of the editing connection tells a live mark from one left by a
        // program that died mid-act.
        R"(CREATE TABLE editing (
             id bigserial PRIMARY KEY,
             user_name text NOT NULL DEFAULT current_user,
             computer text NOT NULL,
             month text NOT NULL,
             group_id integer NOT NULL,
             pid integer NOT NULL DEFAULT pg_backend_pid(),
             started timestamptz NOT NULL DEFAULT now()))",
        "CREATE INDEX editing_month ON editing (month)",
    },
    {
        // A program that keeps a month between acts asks what changed since
        // it read, not for the month again. Every save counts one on the
        // store's clock first and holds its row until it commits, so the
        // count a reader sees is exactly the saves it sees: a row stamped
        // later than the reader's count is news to it, one stamped earlier
        // it has. What a save removes leaves its key behind with the count.
        "CREATE TABLE store_clock (id integer PRIMARY KEY CHECK (id = 1), n bigint NOT NULL)",
        // A line that comes into a month's other lines takes a place between
        // its neighbours' instead of every line after it moving down one.
        "ALTER TABLE month_lines ALTER COLUMN position TYPE double precision",
        "INSERT INTO store_clock VALUES (1, 0)",
        R"(CREATE TABLE removed_rows (
             n bigint NOT NULL,
             tbl text NOT NULL,
             month_id integer,
             section text,
             position double precision NOT NULL))",
        "CREATE INDEX removed_rows_n ON removed_rows (n)",
        R"(CREATE FUNCTION stamp_change() RETURNS trigger LANGUAGE plpgsql AS $$
           BEGIN
             NEW.changed := (SELECT n FROM store_clock WHERE id = 1);
             RETURN NEW;
           END $$)",
        R"(CREATE FUNCTION keep_removed() RETURNS trigger LANGUAGE plpgsql AS $$
           BEGIN
             IF TG_TABLE_NAME = 'day_parameters' THEN
               INSERT INTO removed_rows VALUES ((SELECT n FROM store_clock WHERE id = 1), TG_TABLE_NAME,
                                                OLD.month_id, OLD.section, OLD.position);
             ELSIF TG_TABLE_NAME = 'month_lines' THEN
               INSERT INTO removed_rows VALUES ((SELECT n FROM store_clock WHERE id = 1), TG_TABLE_NAME,
                                                OLD.month_id, NULL, OLD.position);
             ELSIF TG_TABLE_NAME = 'worked_sundays' THEN
               INSERT INTO removed_rows VALUES ((SELECT n FROM store_clock WHERE id = 1), TG_TABLE_NAME,
                                                NULL, OLD.year::text, OLD.worker_id);
             ELSE
               INSERT INTO removed_rows VALUES ((SELECT n FROM store_clock WHERE id = 1), TG_TABLE_NAME,
                                                OLD.month_id, NULL, OLD.position);
             END IF;
             RETURN OLD;
           END $$)",
        "ALTER TABLE workers ADD COLUMN changed bigint NOT NULL DEFAULT 0",
        "ALTER TABLE groups ADD COLUMN changed bigint NOT NULL DEFAULT 0",
        "ALTER TABLE shifts ADD COLUMN changed bigint NOT NULL DEFAULT 0",
        "ALTER TABLE balances ADD COLUMN changed bigint NOT NULL DEFAULT 0",
        "ALTER TABLE worked_sundays ADD COLUMN changed bigint NOT NULL DEFAULT 0",
        "ALTER TABLE months ADD COLUMN changed bigint NOT NULL DEFAULT 0",
        "ALTER TABLE duties ADD COLUMN changed bigint NOT NULL DEFAULT 0",
        "ALTER TABLE days_off ADD COLUMN changed bigint NOT NULL DEFAULT 0",
        "ALTER TABLE day_parameters ADD COLUMN changed bigint NOT NULL DEFAULT 0",
        "ALTER TABLE month_lines ADD COLUMN changed bigint NOT NULL DEFAULT 0",
        "CREATE INDEX month_lines_changed ON month_lines (month_id, changed)",
        "CREATE TRIGGER month_lines_stamp BEFORE INSERT OR UPDATE ON month_lines FOR EACH ROW EXECUTE FUNCTION "
        "stamp_change()",
        "CREATE TRIGGER month_lines_removed AFTER DELETE ON month_lines FOR EACH ROW EXECUTE FUNCTION keep_removed()",
        "CREATE INDEX duties_changed ON duties (month_id, changed)",
        "CREATE INDEX days_off_changed ON days_off (month_id, changed)",
        "CREATE INDEX workers_changed ON workers (changed)",
        "CREATE INDEX balances_changed ON balances (changed)",
        "CREATE INDEX worked_sundays_changed ON worked_sundays (changed)",
        "CREATE TRIGGER workers_stamp BEFORE INSERT OR UPDATE ON workers FOR EACH ROW EXECUTE FUNCTION stamp_change()",
        "CREATE TRIGGER groups_stamp BEFORE INSERT OR UPDATE ON groups FOR EACH ROW EXECUTE FUNCTION stamp_change()",
        "CREATE TRIGGER shifts_stamp BEFORE INSERT OR UPDATE ON shifts FOR EACH ROW EXECUTE FUNCTION stamp_change()",
        "CREATE TRIGGER balances_stamp BEFORE INSERT OR UPDATE ON balances FOR EACH ROW EXECUTE FUNCTION stamp_change()",
        "CREATE TRIGGER worked_sundays_stamp BEFORE INSERT OR UPDATE ON worked_sundays FOR EACH ROW EXECUTE FUNCTION "
        "stamp_change()",
        "CREATE TRIGGER months_stamp BEFORE INSERT OR UPDATE ON months FOR EACH ROW EXECUTE FUNCTION stamp_change()",
        "CREATE TRIGGER duties_stamp BEFORE INSERT OR UPDATE ON duties FOR EACH ROW EXECUTE FUNCTION stamp_change()",
        "CREATE TRIGGER days_off_stamp BEFORE INSERT OR UPDATE ON days_off FOR EACH ROW EXECUTE FUNCTION stamp_change()",
        "CREATE TRIGGER day_parameters_stamp BEFORE INSERT OR UPDATE ON day_parameters FOR EACH ROW EXECUTE FUNCTION "
        "stamp_change()",
        "CREATE TRIGGER duties_removed AFTER DELETE ON duties FOR EACH ROW EXECUTE FUNCTION keep_removed()",
        "CREATE TRIGGER days_off_removed AFTER DELETE ON days_off FOR EACH ROW EXECUTE FUNCTION keep_removed()",
        "CREATE TRIGGER day_parameters_removed AFTER DELETE ON day_parameters FOR EACH ROW EXECUTE FUNCTION "
        "keep_removed()",
        "CREATE TRIGGER worked_sundays_removed AFTER DELETE ON worked_sundays FOR EACH ROW EXECUTE FUNCTION "
        "keep_removed()",
    },
};

refusal said(const pg_connection& c, const char* key, const char* polish, std::initializer_list<std::string> args) {
    return refused(refusal_kind::Io, fill_message(c.tr().msg(key, polish), args));
}

}  // namespace

int latest_schema_version() { return int(kMigrations.size()); }

result<int> schema_version(pg_connection& c) {
    const result<pg_rows> has = c.exec("SELECT to_regclass('schema_version') IS NOT NULL");
    if (!has) return has.error();
    if (has->text(0, 0) != "t") return 0;
    const result<pg_rows> v = c.exec("SELECT coalesce(max(version), 0) FROM schema_version");
    if (!v) return v.error();
    const int found = int(v->number(0, 0));
    if (found > latest_schema_version())
        return said(c, "msg_DbSchemaNewer",
                    "Baza danych ma schemat w wersji %s, nowszej niż ten program (%s); potrzebny nowszy program.",
                    {std::to_string(found), std::to_string(latest_schema_version())});
    return found;
}

result<migration_report> migrate(pg_connection& c, const std::string& role) {
    migration_report report;
    {
        // Two planners starting `db init` at once: the second waits for the
        // first and then finds nothing to do.
        result<pg_transaction> t = pg_transaction::begin(c);
        if (!t) return t.error();
        if (auto r = c.exec("SELECT pg_advisory_xact_lock(7261001)"); !r) return r.error();
        if (auto r = c.exec("CREATE TABLE IF NOT EXISTS schema_version (version integer PRIMARY KEY, "
                            "applied_at timestamptz NOT NULL DEFAULT now())");
            !r)
            return r.error();
        const result<int> found = schema_version(c);
        if (!found) return found.error();
        report.from = report.to = *found;
        for (int n = *found + 1; n <= latest_schema_version(); ++n) {
            for (const char* statement : kMigrations[n - 1])
                if (auto r = c.exec(statement); !r) return r.error();
            if (auto r = c.exec("INSERT INTO schema_version (version) VALUES ($1)", {std::to_string(n)}); !r)
                return r.error();
            report.to = n;
        }
        if (!role.empty() && role != c.user()) {
            const result<pg_rows> exists = c.exec("SELECT 1 FROM pg_roles WHERE rolname = $1", {role});
            if (!exists) return exists.error();
            if (exists->empty())
                return said(c, "msg_DbNoRole", "Na serwerze nie ma roli %s (załóż ją: createuser %s).", {role, role});
            // A role's name cannot be a parameter of GRANT; it goes quoted as an identifier.
            const std::string who = c.quoted_identifier(role);
            for (const std::string& grant :
                 {"GRANT SELECT, INSERT, UPDATE, DELETE ON workers, groups, shifts, balances, options, worked_sundays, "
                  "months, month_lines, duties, days_off, day_parameters, store_clock TO " + who,
                  "GRANT SELECT, INSERT ON removed_rows TO " + who,
                  "GRANT SELECT ON schema_version TO " + who,
                  "GRANT SELECT, INSERT, DELETE ON editing TO " + who, "GRANT SELECT, INSERT ON history TO " + who,
                  "GRANT USAGE ON ALL SEQUENCES IN SCHEMA public TO " + who})
                if (auto r = c.exec(grant); !r) return r.error();
        }
        if (auto r = t->commit(); !r) return r.error();
    }
    return report;
}

}  // namespace planek::store
