#pragma once

#include <QString>

// The product's outward addresses, in one place.
inline constexpr const char* WebsiteAddress = "https://corvane.example.org/";
inline constexpr const char* ForumAddress = "https://corvane.example.org/forum/";
inline constexpr const char* ContactAddress = "mailto:teachers@corvane.example.org";

// What to say when the system has no program for a link, so the student can open it by hand.
inline QString NoProgramForLink(const QString& address) {
    return "No program could be started to open " + address + ".";
}
