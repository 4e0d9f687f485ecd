// The maker's web host, from which the update files come and on which the help pages live, and
// the maker's contact address shown on the Help page. A host name: the system's resolver (and its
// hosts file) decides where it points.
#pragma once

inline constexpr wchar_t kMakerWebHost[] = L"www.corvane-lan.com";
inline constexpr wchar_t kMakerContactAddress[] = L"support@corvane-lan.com";
