// Test support for the golden lists of the text tables: a table compared with the list a test writes out.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/TextEntry.h"

using NamedTexts = std::vector<std::pair<std::string, std::string>>;

inline NamedTexts FromTextTable(std::span<const TextEntry> table) {
    NamedTexts texts;
    for (const TextEntry& entry : table) texts.emplace_back(entry.name, entry.text);
    return texts;
}

// Every text of the table verbatim: a changed text, a missing or an extra entry and a name given
// twice (in the table or in the list) all fail.
inline void ExpectTextTable(const NamedTexts& actual, std::span<const TextEntry> expectedEntries) {
    std::map<std::string, std::string> found;
    for (const auto& [name, text] : actual) EXPECT_TRUE(found.emplace(name, text).second) << "twice: " << name;
    std::map<std::string, std::string> expected;
    for (const TextEntry& entry : expectedEntries)
        EXPECT_TRUE(expected.emplace(entry.name, entry.text).second) << "listed twice: " << entry.name;
    for (const auto& [name, text] : expected) {
        auto it = found.find(name);
        if (it == found.end())
            ADD_FAILURE() << "missing: " << name;
        else
            EXPECT_EQ(it->second, text) << name;
    }
    for (const auto& [name, text] : found)
        if (!expected.count(name)) ADD_FAILURE() << "extra: " << name << " = " << text;
    EXPECT_EQ(actual.size(), expectedEntries.size());
}
inline void ExpectTextTable(std::span<const TextEntry> table, std::span<const TextEntry> expectedEntries) {
    ExpectTextTable(FromTextTable(table), expectedEntries);
}
