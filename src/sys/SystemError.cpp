#include "SystemError.h"

#include <string>

namespace {

// Frees the buffer FormatMessage allocates.
class CLocalBuffer {
public:
    CLocalBuffer() = default;
    ~CLocalBuffer() { if (m_text) ::LocalFree(m_text); }
    CLocalBuffer(const CLocalBuffer&) = delete;
    CLocalBuffer& operator=(const CLocalBuffer&) = delete;
    char** Address() { return &m_text; }
    const char* Get() const { return m_text; }

private:
    char* m_text = nullptr;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

CString SystemErrorText(DWORD error)
{
    CLocalBuffer buffer;
    // Language 0 lets the system pick the user's language, falling back as it sees fit.
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<char*>(buffer.Address()), 0, nullptr);
    std::string line;
    if (length > 0 && buffer.Get()) {
        // Some texts run over several lines; a box and a log line want one.
        bool pendingBlank = false;
        for (const char* p = buffer.Get(); *p; ++p) {
            if (IsBlank(*p)) {
                pendingBlank = !line.empty();
                continue;
            }
            if (pendingBlank)
                line += ' ';
            pendingBlank = false;
            line += *p;
        }
    }
    if (line.empty()) {
        CString fallback;
        fallback.Format("erreur système %lu", static_cast<unsigned long>(error));
        return fallback;
    }
    return CString(line.c_str());
}
