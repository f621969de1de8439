// Test support for the golden lists of the text tables: a table compared with the list a test writes out.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
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

// Each text stands once: no two names of the table share a text, and none repeats a text of the
// tables of the layers below, whose names the table's users take instead.
inline void ExpectEachTextOnce(std::span<const TextEntry> table,
                               std::initializer_list<std::span<const TextEntry>> lowerTables = {}) {
    std::map<std::string, std::string> owner;
    for (std::span<const TextEntry> lower : lowerTables)
        for (const TextEntry& entry : lower) owner.emplace(entry.text, std::string("lower ") + entry.name);
    std::map<std::string, std::string> own;
    for (const TextEntry& entry : table) {
        auto lower = owner.find(entry.text);
        if (lower != owner.end()) ADD_FAILURE() << entry.name << " repeats " << lower->second << ": " << entry.text;
        auto [it, fresh] = own.emplace(entry.text, entry.name);
        if (!fresh) ADD_FAILURE() << entry.name << " repeats " << it->second << ": " << entry.text;
    }
}
