#include "support/PostgresCluster.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace vondrel {

namespace {

namespace fs = std::filesystem;

constexpr const char* kOdbcDriver = "/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so";

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The newest installed server's bin folder, or empty.
std::string FindBinFolder() {
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", error))
        if (fs::exists(entry.path() / "bin" / "initdb", error) &&
            fs::exists(entry.path() / "bin" / "pg_ctl", error))
            found.push_back(entry.path() / "bin");
    if (found.empty())
        return {};
    std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
        return std::atoi(a.parent_path().filename().c_str()) < std::atoi(b.parent_path().filename().c_str());
    });
    return found.back().string();
}

// A port nobody listens on at this moment.
int FreePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        throw std::runtime_error("Cannot open a socket to find a free port");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(s);
        throw std::runtime_error("Cannot find a free port");
    }
    close(s);
    return ntohs(address.sin_port);
}

} // namespace

std::unique_ptr<TPostgresCluster> TPostgresCluster::Start(std::string& skipReason) {
    const std::string bin = FindBinFolder();
    if (bin.empty()) {
        skipReason = "PostgreSQL server binaries (/usr/lib/postgresql/*/bin/initdb) are not installed";
        return nullptr;
    }
    std::error_code error;
    if (!fs::exists(kOdbcDriver, error)) {
        skipReason = std::string("The PostgreSQL ODBC driver ") + kOdbcDriver + " is not installed";
        return nullptr;
    }
    std::unique_ptr<TPostgresCluster> cluster(new TPostgresCluster());
    cluster->binFolder_ = bin;
    cluster->asPostgres_ = geteuid() == 0;
    if (cluster->asPostgres_ && !getpwnam("postgres")) {
        skipReason = "Running as root and there is no user postgres to run the server";
        return nullptr;
    }

    std::string pattern = (fs::temp_directory_path() / "vondrel-pg-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("Cannot make a temporary folder for PostgreSQL");
    cluster->folder_ = pattern;
    chmod(pattern.c_str(), 0755);
    const std::string home = (fs::path(pattern) / "pg").string();
    fs::create_directory(home);
    if (cluster->asPostgres_) {
        const passwd* user = getpwnam("postgres");
        if (chown(home.c_str(), user->pw_uid, user->pw_gid) != 0)
            throw std::runtime_error("Cannot give " + home + " to the user postgres");
    }
    cluster->dataFolder_ = (fs::path(home) / "data").string();
    cluster->port_ = FreePort();

    cluster->Run(Quoted(bin + "/initdb") + " -D " + Quoted(cluster->dataFolder_) +
                     " -U postgres -A trust -E UTF8 --locale=C.UTF-8 --no-sync",
                 "initdb");
    std::ostringstream options;
    options
        << "-p " << cluster->port_ << " -k " << home
        << " -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off";
    cluster->Run(Quoted(bin + "/pg_ctl") + " -D " + Quoted(cluster->dataFolder_) + " -l " +
                     Quoted(home + "/server.log") + " -o " + Quoted(options.str()) + " -w -t 60 start",
                 "pg_ctl start");
    cluster->started_ = true;
    return cluster;
}

void TPostgresCluster::Run(const std::string& command, const char* what) const {
    const std::string log = (fs::path(folder_) / "commands.log").string();
    std::string line = asPostgres_ ? "runuser -u postgres -- " + command : command;
    line = "cd / && " + line + " >>" + Quoted(log) + " 2>&1";
    if (std::system(line.c_str()) != 0) {
        std::ifstream in(log);
        std::stringstream output;
        output << in.rdbuf();
        throw std::runtime_error(std::string(what) + " failed:\n" + output.str());
    }
}

TPostgresCluster::~TPostgresCluster() {
    if (started_) {
        try {
            Run(Quoted(binFolder_ + "/pg_ctl") + " -D " + Quoted(dataFolder_) + " -m immediate -w -t 30 stop",
                "pg_ctl stop");
        } catch (...) {
        }
    }
    std::error_code error;
    fs::remove_all(folder_, error);
}

std::string TPostgresCluster::ConnectString() const {
    return std::string("Driver=") + kOdbcDriver + ";Server=127.0.0.1;Port=" + std::to_string(port_) +
           ";Database=postgres;Uid=postgres;Pwd=x";
}

} // namespace vondrel
