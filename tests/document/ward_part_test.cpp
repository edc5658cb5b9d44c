// A month read for one ward only: the ward's figures are those of a whole
// read, and a save from such a read changes nothing of the other wards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "calendar/duty_filter.h"
#include "core/cp1250.h"
#include "core/text.h"
#include "document/duty_acts.h"
#include "document/month_acts.h"
#include "document/output_acts.h"
#include "document/view_acts.h"
#include "editing/month_access.h"
#include "files/month_file.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::vector<std::string> file_lines(const fs::path& file) { return split_text_lines(cp1250_to_utf8(read_file(file))); }

// The records of [dyzury] and [wolne] by value, each with how often it comes.
std::map<std::string, int> records(const std::vector<std::string>& lines, const std::string& section) {
    std::map<std::string, int> out;
    bool in = false;
    for (const std::string& l : lines) {
        if (!l.empty() && l.front() == '[') {
            in = l == "[" + section + "]";
            continue;
        }
        if (in && l.find('=') != std::string::npos) ++out[l.substr(l.find('=') + 1)];
    }
    return out;
}

word group_of(const std::string& record) { return word(std::stoi(split_fields(record).front())); }

// A hospital of three wards of the command line's generator, two months.
class WardPart : public ::testing::Test {
protected:
    static inline TempDir* shared = nullptr;
    static fs::path root() { return shared->path() / "hospital"; }

    static void SetUpTestSuite() {
        shared = new TempDir;
        const std::string cmd = quote(PLANEK_CLI) + " generate " + quote(root().string()) +
                                " --workers 75 --groups 3 --months 2 --seed 7 >/dev/null 2>&1";
        // A worker of two wards: her first ward's duties belong to the second's read too.
        const std::string both = quote(PLANEK_CLI) + " --root " + quote(root().string()) +
                                 " --yes worker edit 1 --group 1 --group 2 >/dev/null 2>&1";
        // A worker moved from the first ward to the third: her duties of the
        // first stay on its roster, read with it though she is not its own.
        const std::string moved = quote(PLANEK_CLI) + " --root " + quote(root().string()) +
                                  " --yes worker edit 2 --group 3 >/dev/null 2>&1";
        if (fs::exists(PLANEK_CLI) && std::system(cmd.c_str()) == 0) {
            std::system(both.c_str());
            std::system(moved.c_str());
        }
    }
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
    }

    TempDir dir;
    std::vector<std::string> months;

    void SetUp() override {
        if (!fs::exists(PLANEK_CLI)) GTEST_SKIP() << "planek-cli is not built";
        // Each test on its own copy: saves must not reach the next one.
        fs::copy(root(), dir / "hospital", fs::copy_options::recursive);
        for (const auto& e : fs::directory_iterator(dir / "hospital" / "dane"))
            if (e.path().extension() == ".pnk") months.push_back(e.path().string());
        std::sort(months.begin(), months.end());
        ASSERT_EQ(months.size(), 2u);
    }

    void start(roster_document& doc) {
        auto talk = std::make_shared<ScriptedInteraction>();
        talk->fallback = Answer::Yes;
        doc.set_interaction(talk);
        doc.set_clock(std::make_shared<FixedClock>(2030, 5, 14));
        session_request request;
        request.root = dir / "hospital";
        ASSERT_TRUE(open_folder(doc, request).ok());
    }
    void open(roster_document& doc, const std::vector<std::string>& files, word group, bool wardOnly,
              bool touchFiles = false) {
        open_request open;
        open.months.files = files;
        open.months.group = group;
        open.months.wardOnly = wardOnly;
        open.months.touchFiles = touchFiles;
        const result<std::vector<std::string>> opened = open_months(doc, open);
        ASSERT_TRUE(opened.ok()) << opened.error().text;
    }
    std::vector<word> group_ids(const Plan& plan) const {
        std::vector<word> ids;
        for (const grupa& g : plan.groups)
            if (!g.old) ids.push_back(g.id);
        return ids;
    }
};

void expect_same_month(const Plan& whole, const Plan& part, word group) {
    ASSERT_EQ(whole.listed.size(), part.listed.size());
    for (size_t i = 0; i < whole.listed.size(); ++i) {
        const int w = whole.listed[i].worker;
        ASSERT_EQ(w, part.listed[i].worker);
        const ms_& a = whole.workers[size_t(w)].months[size_t(whole.currentMonth)];
        const ms_& b = part.workers[size_t(w)].months[size_t(part.currentMonth)];
        const std::string who = "group " + std::to_string(group) + ", worker " + whole.workers[size_t(w)].fullName();
        EXPECT_TRUE(a.sum == b.sum) << who;
        EXPECT_EQ(a.workerNorm, b.workerNorm) << who;
        EXPECT_EQ(a.overtimeTotal, b.overtimeTotal) << who;
        for (int d = 0; d < kMaxDays; ++d) {
            ASSERT_EQ(a.duties[d].size(), b.duties[d].size()) << who << ", day " << d + 1;
            for (size_t k = 0; k < a.duties[d].size(); ++k) {
                EXPECT_EQ(a.duties[d][k].groupId, b.duties[d][k].groupId) << who;
                EXPECT_EQ(a.duties[d][k].start, b.duties[d][k].start) << who;
                EXPECT_EQ(a.duties[d][k].length, b.duties[d][k].length) << who;
            }
            EXPECT_EQ(a.daysOff[d].used(), b.daysOff[d].used()) << who << ", day " << d + 1;
            EXPECT_EQ(a.daysOff[d].symbol, b.daysOff[d].symbol) << who << ", day " << d + 1;
        }
    }
    ASSERT_EQ(whole.days.size(), part.days.size());
}

TEST_F(WardPart, EachWardReadAloneHasTheFiguresAndWarningsOfAWholeRead) {
    roster_document probe;
    start(probe);
    const std::vector<word> groups = group_ids(probe.plan());
    ASSERT_GE(groups.size(), 3u);
    for (const word g : groups) {
        roster_document whole, part;
        start(whole);
        start(part);
        open(whole, months, g, false);
        open(part, months, g, true);
        EXPECT_TRUE(whole.plan().guards.wardOnly.empty());
        EXPECT_EQ(part.plan().guards.wardOnly, std::vector<word>{g});
        for (int tab = 0; tab < int(months.size()); ++tab) {
            ASSERT_TRUE(show_tab(whole, tab, false).ok());
            ASSERT_TRUE(show_tab(part, tab, false).ok());
            std::vector<int> listed;
            for (const listed_worker& lw : whole.plan().listed) listed.push_back(lw.worker);
            count_worker_sums(whole, listed, false);
            count_worker_sums(part, listed, false);
            expect_same_month(whole.plan(), part.plan(), g);
            const result<warnings_report> a = check_warnings(whole), b = check_warnings(part);
            ASSERT_TRUE(a.ok() && b.ok());
            EXPECT_EQ(a->lines, b->lines) << "group " << g << ", tab " << tab;
        }
        // Every duty on the ward's roster was read, whoever holds it; the
        // other wards' records stayed unread, and workers with none of the
        // ward's records got no month at all.
        size_t wholeDuties = 0, partDuties = 0, outsiders = 0, withoutMonths = 0;
        for (int w = 0; w < int(whole.plan().workers.size()); ++w) {
            const ms_* a = worker_period_month(whole.plan(), w, whole.plan().currentMonth);
            const ms_* b = worker_period_month(part.plan(), w, part.plan().currentMonth);
            ASSERT_NE(a, nullptr);
            if (!b) ++withoutMonths;
            const bool member = whole.plan().workers[size_t(w)].inGroup(g);
            for (int d = 0; d < kMaxDays; ++d) {
                wholeDuties += a->duties[d].size();
                if (b) partDuties += b->duties[d].size();
                auto ours = [&](const ms_* m) {
                    std::vector<std::pair<int, int>> out;
                    if (m)
                        for (const dyzur& duty : m->duties[d])
                            if (duty.groupId == g) out.emplace_back(duty.start, duty.length);
                    return out;
                };
                EXPECT_EQ(ours(a), ours(b)) << "group " << g << ", worker " << w << ", day " << d + 1;
                if (!member && !ours(a).empty()) ++outsiders;
            }
        }
        EXPECT_LT(partDuties * 2, wholeDuties) << "group " << g;
        EXPECT_GT(withoutMonths, 0u) << "group " << g;
        if (g == groups.front()) EXPECT_GT(outsiders, 0u) << "the moved worker's duties";
    }
}

TEST_F(WardPart, ASaveFromOneWardsReadLeavesEveryOtherLineAsItStood) {
    const std::string file = months.front();
    const std::vector<std::string> before = file_lines(file);
    roster_document doc;
    start(doc);
    const word g = group_ids(doc.plan()).at(1);
    doc.set_lock_group(g);
    open(doc, {file}, g, true, true);
    ASSERT_EQ(doc.plan().guards.wardOnly, std::vector<word>{g});

    // One duty added at a free cell of the ward.
    const Plan& plan = doc.plan();
    int worker = -1, day = -1;
    for (const listed_worker& lw : plan.listed) {
        const ms_* m = worker_month(plan, lw.worker);
        for (int d = 1; m && d + 1 < int(plan.days.size()) && day < 0; ++d)
            if (m->duties[d - 1].empty() && m->duties[d].empty() && m->duties[d + 1].empty() && !m->daysOff[d].used())
                day = d;
        if (day >= 0) {
            worker = lw.worker;
            break;
        }
    }
    ASSERT_GE(worker, 0);
    ASSERT_TRUE(add_shift_duty(doc, worker, day, 1).ok());
    const result<> saved = save_month(doc);
    ASSERT_TRUE(saved.ok()) << saved.error().text;

    // Every line as it was, in its place, but the save's date, the seal, the
    // overtime her duties give and the new record after the last one.
    const std::vector<std::string> after = file_lines(file);
    const std::string id = std::to_string(plan.workers[size_t(worker)].id) + "=";
    auto stable = [&](const std::vector<std::string>& lines) {
        std::vector<std::string> out;
        for (const std::string& l : lines)
            if (l.rfind("data=", 0) != 0 && l.rfind("sha256=", 0) != 0 && l.rfind(id, 0) != 0) out.push_back(l);
        return out;
    };
    const std::vector<std::string> was = stable(before);
    std::vector<std::string> is = stable(after);
    std::vector<std::string> fresh;
    for (const std::string& l : is)
        if (l.rfind("d", 0) == 0 && std::find(was.begin(), was.end(), l) == was.end()) fresh.push_back(l);
    ASSERT_EQ(fresh.size(), 1u);
    is.erase(std::find(is.begin(), is.end(), fresh.front()));
    EXPECT_EQ(was, is);

    // The ward one record more, the others' records as they were.
    const auto then = records(before, "dyzury"), now = records(after, "dyzury");
    int more = 0;
    for (const auto& [value, count] : now) {
        const auto it = then.find(value);
        const int old = it == then.end() ? 0 : it->second;
        if (group_of(value) != g) {
            EXPECT_EQ(count, old) << value;
        }
        more += count - old;
    }
    for (const auto& [value, count] : then)
        if (!now.count(value)) ADD_FAILURE() << "lost " << value;
    EXPECT_EQ(more, 1);
    EXPECT_EQ(records(before, "wolne"), records(after, "wolne"));
    EXPECT_TRUE(check_month_file(doc.plan(), file).empty());
}

TEST_F(WardPart, ATakenOutRecordLeavesItsNumberToTheLastAndOtherWardsKeepTheirs) {
    const std::string file = months.front();
    const std::vector<std::string> before = file_lines(file);
    roster_document doc;
    start(doc);
    const word g = group_ids(doc.plan()).front();
    doc.set_lock_group(g);
    open(doc, {file}, g, true, true);
    // The ward's first duty taken out.
    const Plan& plan = doc.plan();
    std::optional<duty_id> first;
    for (const listed_worker& lw : plan.listed) {
        const ms_* m = worker_month(plan, lw.worker);
        for (int d = 0; m && d < int(plan.days.size()) && !first; ++d)
            if (!m->duties[d].empty() && m->duties[d].front().groupId == g) first = duty_at(plan, {lw.worker, d, 0});
        if (first) break;
    }
    ASSERT_TRUE(first);
    ASSERT_TRUE(remove_duty(doc, *first, true).ok());
    const result<> saved = save_month(doc);
    ASSERT_TRUE(saved.ok()) << saved.error().text;
    const std::vector<std::string> after = file_lines(file);
    const auto was = records(before, "dyzury"), now = records(after, "dyzury");
    int fewer = 0;
    for (const auto& [value, count] : was) {
        const auto it = now.find(value);
        const int left = it == now.end() ? 0 : it->second;
        if (group_of(value) != g) {
            EXPECT_EQ(left, count) << value;
        }
        fewer += count - left;
    }
    EXPECT_EQ(fewer, 1);
    // d1..dN without a gap, as older versions read them one after another.
    bool in = false;
    int n = 0;
    for (const std::string& l : after) {
        if (!l.empty() && l.front() == '[') {
            in = l == "[dyzury]";
        } else if (in && l.find('=') != std::string::npos) {
            EXPECT_EQ(l.substr(0, l.find('=')), "d" + std::to_string(++n));
        }
    }
    EXPECT_TRUE(check_month_file(doc.plan(), file).empty());
}

TEST_F(WardPart, AMonthReadInPartIsNeverWrittenAsAWholeMonth) {
    const std::string file = months.front();
    const std::string bytes = read_file(file);
    roster_document doc;
    start(doc);
    const word g = group_ids(doc.plan()).front();
    // Read for a look at one ward, without its lock: nothing to save it over.
    open(doc, {file}, g, true);
    ASSERT_FALSE(doc.plan().guards.wardOnly.empty());
    EXPECT_FALSE(save_month(doc).ok());
    const std::string other = (dir / "hospital" / "dane" / "copy.pnk").string();
    EXPECT_FALSE(save_month_to(doc, other).ok());
    EXPECT_FALSE(fs::exists(other));
    std::string written;
    EXPECT_FALSE(month_file_bytes(doc.plan(), other, written).ok());
    EXPECT_EQ(read_file(file), bytes);
    // Under another ward's lock it is not saved either.
    roster_document locked;
    start(locked);
    locked.set_lock_group(group_ids(locked.plan()).at(1));
    open(locked, {file}, g, true);
    EXPECT_FALSE(save_month(locked).ok());
    EXPECT_EQ(read_file(file), bytes);
    // A whole read clears it.
    open(doc, {file}, g, false);
    EXPECT_TRUE(doc.plan().guards.wardOnly.empty());
}

}  // namespace
}  // namespace planek::test
