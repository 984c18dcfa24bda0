#pragma once

namespace model {

// The program's homepage, opened by the link in the banner.
inline constexpr const char* kHomepageUrl = "https://quillmere.example.org/";
inline constexpr const char* kHomepageGreeting = "欢迎访问 ";

}  // namespace model
