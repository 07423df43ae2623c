#include "LevelStats.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <ostream>
#include <sstream>

namespace {
std::string Seconds(std::uint32_t ms) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << static_cast<double>(ms) / 1000.0;
    return text.str();
}

// The lower median, so that every figure is one a run really had.
std::uint32_t Median(std::vector<std::uint32_t> values) {
    std::sort(values.begin(), values.end());
    return values[(values.size() - 1) / 2];
}

std::string IdleSurvival(const LevelStats& stats) {
    std::vector<std::uint32_t> times;
    for (const LevelRun& run : stats.idle) {
        times.push_back(run.lost ? run.endMs : stats.limitMs + 1);
    }
    const auto tell = [&](std::uint32_t ms) { return ms > stats.limitMs ? "survives" : Seconds(ms); };
    return tell(*std::min_element(times.begin(), times.end())) + " / " + tell(Median(times)) + " / " +
           tell(*std::max_element(times.begin(), times.end()));
}

std::string FirstReach(const LevelStats& stats) {
    std::uint32_t first = stats.limitMs + 1;
    for (const LevelRun& run : stats.idle) {
        if (run.firstReachMs) {
            first = std::min(first, *run.firstReachMs);
        }
    }
    return first > stats.limitMs ? "never" : Seconds(first);
}

std::string Handled(const Handling& handling, float value) {
    return handling.measured ? std::to_string(static_cast<long>(std::lround(value))) : "-";
}

std::string Deaths(const std::vector<LevelRun>& runs) {
    int player = 0;
    int hazard = 0;
    int each = 0;
    int other = 0;
    for (const LevelRun& run : runs) {
        const auto count = [&](Cause cause) {
            auto it = run.deaths.find(cause);
            return it == run.deaths.end() ? 0 : it->second;
        };
        player += count(Cause::Player);
        hazard += count(Cause::Hazard);
        each += count(Cause::EachOther);
        other += count(Cause::Other);
    }
    std::string text = std::to_string(player) + " / " + std::to_string(hazard) + " / " + std::to_string(each);
    return other != 0 ? text + " (+" + std::to_string(other) + " other)" : text;
}
// "wins/runs (rate %) | median time to win", two cells.
std::string Wins(const std::vector<LevelRun>& runs) {
    int wins = 0;
    std::vector<std::uint32_t> winTimes;
    for (const LevelRun& run : runs) {
        if (run.won) {
            ++wins;
            winTimes.push_back(run.endMs);
        }
    }
    const int count = static_cast<int>(runs.size());
    return std::to_string(wins) + "/" + std::to_string(count) + " (" +
           std::to_string(count == 0 ? 0 : wins * 100 / count) + " %) | " +
           (winTimes.empty() ? "-" : Seconds(Median(winTimes)));
}
}  // namespace

bool PlayLevel(const std::string& dataRoot, const std::string& level, unsigned seeds, std::uint32_t limitMs,
               unsigned hz, LevelStats& stats) {
    stats.level = level;
    stats.limitMs = limitMs;
    stats.hz = hz;
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        for (auto player : {LevelRun::Player::Idle, LevelRun::Player::Bot, LevelRun::Player::Novice}) {
            LevelRun run = RunLevel({dataRoot, level, seed, player, limitMs, hz});
            stats.start = run.start;
            if (!run.Started()) {
                return false;
            }
            (player == LevelRun::Player::Idle  ? stats.idle
             : player == LevelRun::Player::Bot ? stats.bot
                                               : stats.novice)
                .push_back(run);
        }
    }
    stats.handling = MeasureHandling(dataRoot, level, hz);
    return true;
}

void PrintTable(const std::vector<LevelStats>& levels, std::ostream& out) {
    out << "| level | runs | idle survival min / median / max (s) | first reach (s) | idle hazard kills <= 30 s "
           "| idle deaths player / hazards / each other | bot wins | bot median win (s) "
           "| bot deaths player / hazards / each other | novice wins | novice median win (s) "
           "| novice deaths player / hazards / each other | top speed (units/s) | coast (units) |\n";
    out << "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n";
    for (const LevelStats& stats : levels) {
        if (stats.start.outcome != LevelStart::Outcome::Playing) {
            out << "| " << stats.level << " | could not start: " << stats.start.why << " | | | | | | | | | | | | |\n";
            continue;
        }
        int early = 0;
        for (const LevelRun& run : stats.idle) {
            early += run.earlyHazardDeaths;
        }
        out << "| " << stats.level << " | " << stats.bot.size() << " | " << IdleSurvival(stats) << " | "
            << FirstReach(stats) << " | " << early << " | " << Deaths(stats.idle) << " | " << Wins(stats.bot) << " | "
            << Deaths(stats.bot) << " | " << Wins(stats.novice) << " | " << Deaths(stats.novice) << " | "
            << Handled(stats.handling, stats.handling.topSpeed) << " | "
            << Handled(stats.handling, stats.handling.coast) << " |\n";
    }
}
