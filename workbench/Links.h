#pragma once

// The product's outward addresses, in one place.
inline constexpr const char* WebsiteAddress = "https://corvane.example.org/";
inline constexpr const char* ForumAddress = "https://corvane.example.org/forum/";
inline constexpr const char* ContactAddress = "mailto:teachers@corvane.example.org";
