#include "update/ftp_server.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tessaline::test {

namespace fs = std::filesystem;

TFtpServer::TFtpServer(const fs::path& root) {
    const fs::path portFile = root.parent_path() / (root.filename().string() + ".port");
    fs::remove(portFile);
    const std::string script = std::string(TESSALINE_SOURCE_DIR) + "/tests/update/ftp_server.py";
    // The system's interpreter, which has the packaged pyftpdlib.
    const char* python = fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    std::vector<std::string> args = {python, script, root.string(), portFile.string()};
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    if (posix_spawnp(&pid_, python, nullptr, nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start the FTP server");
    }
    // Readiness: the server writes its port once it listens (it gives up after a minute).
    for (int i = 0; i < 1200 && port_ == 0; ++i) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("the FTP server stopped at start");
        }
        std::ifstream in(portFile);
        if (!(in >> port_)) {
            port_ = 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    fs::remove(portFile);
    if (port_ == 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        throw std::runtime_error("the FTP server did not start");
    }
}

TFtpServer::~TFtpServer() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

int FreePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    close(s);
    return ntohs(a.sin_port);
}

} // namespace tessaline::test
