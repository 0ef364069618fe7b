#pragma once
// The maker's addresses, chosen once: the web host that stands in for any
// host the user has not named, and the pages the program opens.
namespace maker {

inline constexpr const char* kWebHost = "www.marrowby.com";
inline constexpr const char* kHomePage = "http://www.marrowby.com/";
inline constexpr const char* kFaqPage = "http://www.marrowby.com/quellor/faq.html";
inline constexpr const char* kLibraryPage = "http://www.marrowby.com/library/";

}  // namespace maker
