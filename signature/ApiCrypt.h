// crypt32 as the program calls it: each call loads the library by its full
// path and releases it again, and the first load is kept for the process,
// since stores and contexts live on between calls.
#pragma once

#include "base/Crypt32.h"
#include "base/CryptHandles.h"

namespace velmora {

using ApiCrypt = TCrypt32<TCrypt32Names, TKeepFirstLoad>;

using TCertStore = TCryptOwners<ApiCrypt>::TStore;
using TCertContext = TCryptOwners<ApiCrypt>::TContext;
using TCertChain = TCryptOwners<ApiCrypt>::TChain;

}  // namespace velmora
