// The options `cert` and `nocert` from the process command line.
#pragma once

#include <windows.h>

namespace velmora {

// Reads the argument that starts at or after `position`: blanks and leading
// empty quote pairs are skipped, slashes and minus signs are dropped, quotes
// glue their contents into the argument. Sets `length` to the argument's
// byte count and copies it into `destination` when one is given and the
// argument is not empty and fits `capacity`; writes no terminator. Returns
// the position just behind the argument.
const char* ReadArgument(const char* position, char* destination, DWORD capacity,
                         DWORD& length);

struct TCommandLineOptions {
    bool cert = false;
    bool noCert = false;
};

// Sets the flags of every argument of `commandLine` that is `cert` or
// `nocert` in any case; the flags are only ever set, never cleared.
void ParseOptions(const char* commandLine, TCommandLineOptions& options);

// ParseOptions over the process's own command line into OptionCert and
// OptionNoCert.
void ParseCommandLine();

}  // namespace velmora
