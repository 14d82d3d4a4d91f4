#include "app/Admin.h"

#include "base/Handles.h"

namespace velmora {

namespace {

constexpr DWORD AdministratorsRid = DOMAIN_ALIAS_RID_ADMINS;  // 544

TKernelHandle OpenCurrentToken() {
    TKernelHandle token;
    const DWORD access = TOKEN_QUERY | TOKEN_IMPERSONATE;
    if (::OpenThreadToken(::GetCurrentThread(), access, TRUE, token.put())) return token;
    if (::GetLastError() != ERROR_NO_TOKEN) return {};
    if (!::OpenProcessToken(::GetCurrentProcess(), access, token.put())) return {};
    return token;
}

}  // namespace

bool IsBuiltinAliasMember(DWORD rid) {
    const TKernelHandle token = OpenCurrentToken();
    if (!token) return false;

    DWORD size = 0;
    if (::GetTokenInformation(token.get(), TokenGroups, nullptr, 0, &size) ||
        ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return false;
    const THeapBuffer buffer(size);
    if (!buffer || !::GetTokenInformation(token.get(), TokenGroups, buffer.as<void>(), size, &size))
        return false;

    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    TSid sid;
    if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, rid, 0, 0, 0, 0,
                                    0, 0, sid.put()))
        return false;

    const auto* groups = buffer.as<TOKEN_GROUPS>();
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
        if (!::EqualSid(groups->Groups[i].Sid, sid.get())) continue;
        if (rid != AdministratorsRid) return true;
        return (groups->Groups[i].Attributes & SE_GROUP_USE_FOR_DENY_ONLY) !=
               SE_GROUP_USE_FOR_DENY_ONLY;
    }
    return false;
}

bool IsAdministrator() { return IsBuiltinAliasMember(AdministratorsRid); }

}  // namespace velmora
