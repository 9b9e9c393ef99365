#pragma once
// A real FTP server (pyftpdlib) on 127.0.0.1 for the update tests, serving a folder of its own on a
// port of its own; stopped when the object goes.

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace tessaline::test {

class TFtpServer {
public:
    // Starts the server on root and waits until it listens.
    explicit TFtpServer(const std::filesystem::path& root);
    ~TFtpServer();
    TFtpServer(const TFtpServer&) = delete;
    TFtpServer& operator=(const TFtpServer&) = delete;

    int Port() const { return port_; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

// A loopback port with nothing listening on it.
int FreePort();

} // namespace tessaline::test
