// The local date: a moment shortly before midnight UTC is already the next day in Japan.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/LocalDate.h"

namespace {

// Sets TZ for the life of the object.
class TimeZone {
public:
    explicit TimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone() {
        if (m_old) setenv("TZ", m_old->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_old;
};

}  // namespace

TEST(LocalDate, FollowsTheLocalTimeZone) {
    // 2019-04-30 23:30 UTC: 2019-05-01 08:30 in Japan, the first day of 令和.
    const std::time_t moment = 1556667000;
    struct Row {
        const char* zone;
        vemo::CivilDate date;
    } rows[] = {
        {"JST-9", {2019, 5, 1}},
        {"UTC0", {2019, 4, 30}},
        {"EST5", {2019, 4, 30}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.zone);
        TimeZone zone(r.zone);
        EXPECT_EQ(vemo::LocalDateOf(moment), r.date);
    }
}

TEST(LocalDate, TodayIsTheLocalDateOfNow) {
    TimeZone zone("JST-9");
    const std::time_t before = std::time(nullptr);
    const vemo::CivilDate today = vemo::LocalToday();
    const std::time_t after = std::time(nullptr);
    // Around midnight the two readings of the clock may fall on either side of it.
    EXPECT_TRUE(today == vemo::LocalDateOf(before) || today == vemo::LocalDateOf(after));
}
