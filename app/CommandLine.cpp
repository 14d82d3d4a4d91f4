#include "app/CommandLine.h"

#include "app/AppState.h"
#include "base/Handles.h"

namespace velmora {

namespace {

bool IsBlank(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 32;
}

// Bytes of the character at `p`; a lead byte followed by the terminator
// counts alone, so that a walk never steps over the end of the text.
DWORD CharBytes(const char* p) {
    const char* next = ::CharNextA(p);
    return next > p ? static_cast<DWORD>(next - p) : 0;
}

// One walk over an argument. With `out` it copies every taken byte there.
const char* Walk(const char* p, DWORD& length, char* out) {
    length = 0;
    while (static_cast<unsigned char>(*p) > 32) {
        if (*p == '/' || *p == '-') ++p;
        if (*p == '"') {
            ++p;
            while (*p != '\0' && *p != '"') {
                const DWORD n = CharBytes(p);
                if (n == 0) break;
                if (out) ::CopyMemory(out + length, p, n);
                length += n;
                p += n;
            }
            if (*p != '\0') ++p;
        } else {
            const DWORD n = CharBytes(p);
            if (out && n) ::CopyMemory(out + length, p, n);
            length += n;
            p += n;
        }
    }
    return p;
}

// Same bytes and same length; lstrcmpA would apply the locale's word sort.
bool SameText(const char* a, const char* b) {
    const int n = ::lstrlenA(a);
    return n == ::lstrlenA(b) && RtlEqualMemory(a, b, n);
}

}  // namespace

const char* ReadArgument(const char* position, char* destination, DWORD capacity,
                         DWORD& length) {
    const char* p = position;
    for (;;) {
        if (IsBlank(*p)) {
            ++p;
        } else if (p[0] == '"' && p[1] == '"') {
            p += 2;
        } else {
            break;
        }
    }
    const char* start = p;
    const char* end = Walk(start, length, nullptr);
    if (destination != nullptr && length > 0 && length <= capacity) {
        DWORD copied = 0;
        Walk(start, copied, destination);
    }
    return end;
}

void ParseOptions(const char* commandLine, TCommandLineOptions& options) {
    if (commandLine == nullptr) return;
    const char* position = commandLine;
    DWORD length = 0;
    ReadArgument(position, nullptr, 0, length);
    do {
        THeapBuffer argument(static_cast<SIZE_T>(length) + 1);
        if (!argument) return;
        position = ReadArgument(position, argument.chars(), length, length);
        ::CharLowerA(argument.chars());
        if (SameText(argument.chars(), "cert")) options.cert = true;
        if (SameText(argument.chars(), "nocert")) options.noCert = true;
        ReadArgument(position, nullptr, 0, length);
    } while (*position != '\0');
}

void ParseCommandLine() {
    TCommandLineOptions options;
    ParseOptions(::GetCommandLineA(), options);
    OptionCert = OptionCert || options.cert;
    OptionNoCert = OptionNoCert || options.noCert;
}

}  // namespace velmora
