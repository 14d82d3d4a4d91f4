#include <gtest/gtest.h>

#include "app/Admin.h"
#include "tests/driver/RestrictedToken.h"

using namespace velmora;

namespace {

// An impersonation copy of a standard user's token.
HANDLE ImpersonationToken() {
    const HANDLE restricted = uidriver::DenyOnlyAdministratorsToken();
    HANDLE impersonation = nullptr;
    if (restricted) ::DuplicateToken(restricted, SecurityImpersonation, &impersonation);
    if (restricted) ::CloseHandle(restricted);
    return impersonation;
}

}  // namespace

TEST(Administrator, PlainAdministratorToken) {
    EXPECT_TRUE(IsAdministrator());
    EXPECT_TRUE(IsBuiltinAliasMember(545));   // Users: presence is enough
    EXPECT_FALSE(IsBuiltinAliasMember(999));  // an alias the token lacks
}

TEST(Administrator, ThreadTokenWithDenyOnlyAdministrators) {
    HANDLE token = ImpersonationToken();
    ASSERT_NE(token, nullptr);
    ASSERT_TRUE(::SetThreadToken(nullptr, token));
    EXPECT_FALSE(IsAdministrator());
    // Deny-only counts only for the Administrators alias.
    EXPECT_TRUE(IsBuiltinAliasMember(544) == false);
    ASSERT_TRUE(::RevertToSelf());
    EXPECT_TRUE(IsAdministrator());
    ::CloseHandle(token);
}
