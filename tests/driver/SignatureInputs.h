// The signature test inputs made at build time, by their Windows paths.
#pragma once

#include <string>

#include "tests/driver/UiDriver.h"

inline std::string CertificateInput(const char* name) {
    return uidriver::WindowsPath(std::string(SIGNATURE_INPUTS "/certs/") + name + ".cer");
}

inline std::string ProgramInput(const char* name) {
    return uidriver::WindowsPath(std::string(SIGNATURE_INPUTS "/pe/") + name + ".exe");
}

// The one signer of the program and of this test program.
inline constexpr const char* SignerName = "Velmora Software";
