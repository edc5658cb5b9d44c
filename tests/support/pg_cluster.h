#pragma once
// A throwaway PostgreSQL cluster for the store's tests: initdb into a
// temporary folder, a server on a Unix socket in that folder only (no TCP),
// stopped and removed when the test program ends. One per test program,
// through a gtest Environment, since initdb costs seconds. Without the
// server's programs the tests fail, saying which package to install: a
// store nobody tests is no store.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace planek::test {

class pg_cluster : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

    // The running cluster (set up by the Environment).
    static pg_cluster& running();
    // A new empty database and its connection string ("host=... dbname=...").
    std::string fresh_database();
    // The connection string of an existing database.
    std::string url(const std::string& database) const;
    // The folder of the server's programs (initdb, pg_ctl, psql...).
    const std::filesystem::path& bin() const { return bin_; }

private:
    std::filesystem::path bin_, base_, data_;
    int port_ = 0;
    bool asRoot_ = false;
    bool started_ = false;
    int databases_ = 0;
    std::string run(const std::string& command) const;  // "" when it succeeded, else its output
};

}  // namespace planek::test
