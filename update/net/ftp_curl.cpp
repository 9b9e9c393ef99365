#include "update/net/ftp_curl.h"

#include <cctype>
#include <cstdio>
#include <curl/curl.h>
#include <mutex>
#include <system_error>

namespace tessaline {

namespace {

struct TCallContext {
    const TFtpProgresso* progresso;
    std::atomic<bool>* interrotto;
};

int XferInfo(void* user, curl_off_t dltotal, curl_off_t dlnow, curl_off_t, curl_off_t) {
    auto* ctx = static_cast<TCallContext*>(user);
    if (ctx->interrotto->load()) {
        return 1;
    }
    if (ctx->progresso != nullptr && *ctx->progresso &&
        !(*ctx->progresso)(static_cast<std::int64_t>(dlnow), static_cast<std::int64_t>(dltotal))) {
        return 1;
    }
    return 0;
}

std::size_t WriteFile(char* data, std::size_t size, std::size_t n, void* user) {
    return std::fwrite(data, size, n, static_cast<std::FILE*>(user)) * size;
}

std::size_t Discard(char*, std::size_t size, std::size_t n, void*) {
    return size * n;
}

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CURL* Handle(void* p) {
    return static_cast<CURL*>(p);
}

} // namespace

bool TFtpCurl::HostValido(const std::string& host) {
    if (host.empty() || host.size() > 255) {
        return false;
    }
    const std::size_t colon = host.find(':');
    const std::string name = host.substr(0, colon);
    if (name.empty()) {
        return false;
    }
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-') {
            return false;
        }
    }
    if (colon != std::string::npos) {
        const std::string port = host.substr(colon + 1);
        if (port.empty() || port.size() > 5) {
            return false;
        }
        for (char c : port) {
            if (!std::isdigit(static_cast<unsigned char>(c))) {
                return false;
            }
        }
        const long n = std::stol(port);
        return n >= 1 && n <= 65535;
    }
    return true;
}

std::string HostDaUrl(const std::string& url) {
    const std::string scheme = "ftp://";
    if (url.size() <= scheme.size() || url.compare(0, scheme.size(), scheme) != 0) {
        return {};
    }
    std::string host = url.substr(scheme.size());
    if (!host.empty() && host.back() == '/') {
        host.pop_back();
    }
    return TFtpCurl::HostValido(host) ? host : std::string();
}

TFtpCurl::TFtpCurl(long connectTimeoutSeconds) : connectTimeout_(connectTimeoutSeconds) {
    GlobalInit();
}

TFtpCurl::~TFtpCurl() {
    Disconnetti();
}

bool TFtpCurl::Perform(const std::string& url, const TFtpProgresso& progresso, std::FILE* out) {
    if (curl_ == nullptr || interrotto_.load()) {
        return false;
    }
    CURL* c = Handle(curl_);
    TCallContext ctx{&progresso, &interrotto_};
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, XferInfo);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &ctx);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    if (out != nullptr) {
        curl_easy_setopt(c, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, WriteFile);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, out);
    } else {
        curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, Discard);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, nullptr);
    }
    const CURLcode rc = curl_easy_perform(c);
    return rc == CURLE_OK;
}

bool TFtpCurl::Connetti(const std::string& host, const TFtpProgresso& progresso) {
    Disconnetti();
    interrotto_.store(false);
    if (!HostValido(host)) {
        return false;
    }
    CURL* c = curl_easy_init();
    if (c == nullptr) {
        return false;
    }
    curl_ = c;
    base_ = "ftp://" + host + "/";
    folder_.clear();
    curl_easy_setopt(c, CURLOPT_USERNAME, "anonymous");
    curl_easy_setopt(c, CURLOPT_PASSWORD, "tessaline@localhost");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, connectTimeout_);
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L); // binary (TYPE I)
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, 1L);
    if (!Perform(base_, progresso, nullptr)) {
        Disconnetti();
        return false;
    }
    return true;
}

bool TFtpCurl::CambiaCartella(const std::string& folder, const TFtpProgresso& progresso) {
    std::string f = folder;
    while (!f.empty() && f.back() == '/') {
        f.pop_back();
    }
    char* escaped = nullptr;
    std::string path;
    std::size_t start = 0;
    while (start <= f.size() && !f.empty()) {
        std::size_t end = f.find('/', start);
        if (end == std::string::npos) {
            end = f.size();
        }
        const std::string part = f.substr(start, end - start);
        if (!part.empty()) {
            escaped = curl_easy_escape(Handle(curl_), part.c_str(), static_cast<int>(part.size()));
            if (escaped == nullptr) {
                return false;
            }
            path += escaped;
            path += '/';
            curl_free(escaped);
        }
        start = end + 1;
    }
    if (!Perform(base_ + path, progresso, nullptr)) {
        return false;
    }
    folder_ = path;
    return true;
}

bool TFtpCurl::Scarica(const std::string& remote, const std::filesystem::path& local,
                       const TFtpProgresso& progresso) {
    if (curl_ == nullptr) {
        return false;
    }
    std::FILE* out = std::fopen(local.string().c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    char* escaped = curl_easy_escape(Handle(curl_), remote.c_str(), static_cast<int>(remote.size()));
    bool ok = escaped != nullptr && Perform(base_ + folder_ + escaped, progresso, out);
    curl_free(escaped);
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        std::error_code ec;
        std::filesystem::remove(local, ec);
    }
    return ok;
}

void TFtpCurl::Disconnetti() {
    if (curl_ != nullptr) {
        curl_easy_cleanup(Handle(curl_));
        curl_ = nullptr;
    }
    folder_.clear();
}

} // namespace tessaline
