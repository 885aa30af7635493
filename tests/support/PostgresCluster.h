#pragma once

#include <memory>
#include <string>

namespace vondrel {

/// A throwaway PostgreSQL server for one test: a new cluster in a temporary folder,
/// listening on a free port of the loop-back address, stopped and removed when the
/// object goes (also when the test fails). Run as root, the server runs as the user
/// postgres.
class TPostgresCluster {
public:
    /// Starts a cluster; empty with the reason in skipReason when the server binaries or
    /// the ODBC driver are not installed. Raises std::runtime_error when they are but the
    /// cluster does not start.
    static std::unique_ptr<TPostgresCluster> Start(std::string& skipReason);
    ~TPostgresCluster();
    TPostgresCluster(const TPostgresCluster&) = delete;
    TPostgresCluster& operator=(const TPostgresCluster&) = delete;

    /// An ODBC connection string for the database "postgres" as the user postgres.
    std::string ConnectString() const;
    int Port() const noexcept { return port_; }

private:
    TPostgresCluster() = default;
    void Run(const std::string& command, const char* what) const;

    std::string binFolder_;
    std::string folder_;
    std::string dataFolder_;
    int port_ = 0;
    bool asPostgres_ = false;
    bool started_ = false;
};

} // namespace vondrel
