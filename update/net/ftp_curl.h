#pragma once
// The update's FTP client over libcurl: anonymous login, binary transfers, progress and abort.

#include <atomic>
#include <memory>
#include <string>

#include "update/update.h"

namespace tessaline {

class TFtpCurl final : public TFtpClient {
public:
    // connectTimeoutSeconds bounds the wait for the server to answer a connection.
    explicit TFtpCurl(long connectTimeoutSeconds = 100);
    ~TFtpCurl() override;
    TFtpCurl(const TFtpCurl&) = delete;
    TFtpCurl& operator=(const TFtpCurl&) = delete;

    bool Connetti(const std::string& host, const TFtpProgresso& progresso) override;
    bool CambiaCartella(const std::string& folder, const TFtpProgresso& progresso) override;
    bool Scarica(const std::string& remote, const std::filesystem::path& local,
                 const TFtpProgresso& progresso) override;
    void Interrompi() override { interrotto_.store(true); }
    void Disconnetti() override;

    // Whether a host text is a plain "HOST" or "HOST:PORT" (letters, digits, '.', '-', one port).
    static bool HostValido(const std::string& host);

private:
    bool Perform(const std::string& url, const TFtpProgresso& progresso, std::FILE* out);
    void* curl_ = nullptr;
    std::string base_;   // "ftp://HOST[:PORT]/"
    std::string folder_; // "" or "a/b/"
    long connectTimeout_;
    std::atomic<bool> interrotto_{false};
};

// "ftp://HOST[:PORT]/" (the trailing slash optional) to "HOST[:PORT]"; empty when malformed.
std::string HostDaUrl(const std::string& url);

} // namespace tessaline
