#pragma once
// A generated ward moved into a fresh database of the running cluster: where
// the store's tests start from, so each says only what ward it wants.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "core/translator.h"
#include "store/folder_transfer.h"
#include "store/pg_connection.h"
#include "store/schema.h"
#include "support/pg_cluster.h"

namespace planek::test {

// Generates the ward into `ward` (`generate` takes the rest of its
// arguments), then makes a database of the current schema holding it; a
// failed step fails the test that asked.
inline void import_generated_ward(const TempDir& dir, const std::filesystem::path& ward,
                                  const std::vector<std::string>& generate, std::string& url,
                                  std::optional<store::pg_connection>& db) {
    std::vector<std::string> args{"generate", ward.string()};
    args.insert(args.end(), generate.begin(), generate.end());
    const result made = run_cli(dir, args);
    ASSERT_EQ(made.code, 0) << made.err;
    url = pg_cluster::running().fresh_database();
    static const Translator polish;
    planek::result<store::pg_connection> c = store::pg_connection::open(url, polish);
    ASSERT_TRUE(c.ok()) << c.error().text;
    db.emplace(std::move(*c));
    ASSERT_TRUE(store::migrate(*db).ok());
    const planek::result<store::folder_counts> in = store::import_folder(*db, ward / "dane");
    ASSERT_TRUE(in.ok()) << in.error().text;
}

}  // namespace planek::test
