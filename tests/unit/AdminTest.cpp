#include <gtest/gtest.h>

#include "app/Admin.h"

using namespace velmora;

namespace {

// An impersonation copy of this process's token, Administrators deny-only.
HANDLE DenyOnlyAdministratorsToken() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ALL_ACCESS, &token)) return nullptr;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    ::AllocateAndInitializeSid(&nt, 2, 32, 544, 0, 0, 0, 0, 0, 0, &admins);
    SID_AND_ATTRIBUTES disable = {admins, 0};
    HANDLE restricted = nullptr;
    ::CreateRestrictedToken(token, 0, 1, &disable, 0, nullptr, 0, nullptr, &restricted);
    HANDLE impersonation = nullptr;
    if (restricted) ::DuplicateToken(restricted, SecurityImpersonation, &impersonation);
    ::FreeSid(admins);
    if (restricted) ::CloseHandle(restricted);
    ::CloseHandle(token);
    return impersonation;
}

}  // namespace

TEST(Administrator, PlainAdministratorToken) {
    EXPECT_TRUE(IsAdministrator());
    EXPECT_TRUE(IsBuiltinAliasMember(545));   // Users: presence is enough
    EXPECT_FALSE(IsBuiltinAliasMember(999));  // an alias the token lacks
}

TEST(Administrator, ThreadTokenWithDenyOnlyAdministrators) {
    HANDLE token = DenyOnlyAdministratorsToken();
    ASSERT_NE(token, nullptr);
    ASSERT_TRUE(::SetThreadToken(nullptr, token));
    EXPECT_FALSE(IsAdministrator());
    // Deny-only counts only for the Administrators alias.
    EXPECT_TRUE(IsBuiltinAliasMember(544) == false);
    ASSERT_TRUE(::RevertToSelf());
    EXPECT_TRUE(IsAdministrator());
    ::CloseHandle(token);
}
