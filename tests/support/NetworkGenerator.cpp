#include "NetworkGenerator.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "DistFareFixture.h"
#include "TimetableFixture.h"
#include "data/TrainFile.h"
#include "data/TransferFile.h"

namespace kiv::test {

namespace {

constexpr std::uint8_t kWeekdays = 0x3E;
constexpr std::uint8_t kWeekends = 0x41;
constexpr std::uint32_t kAllHours = 0xFFFFFF;
constexpr NetworkCode kWalkingNetwork = 900;

// Reproducible choices: the same seed gives the same network everywhere.
class Dice {
 public:
  explicit Dice(unsigned seed) : engine_(seed) {}
  int between(int low, int high) {
    return low + static_cast<int>(engine_() % static_cast<unsigned>(high - low + 1));
  }
  bool chance(int percent) { return between(0, 99) < percent; }

 private:
  std::mt19937 engine_;
};

// One service pattern of a train at its first stop.
struct Pattern {
  std::vector<int> minutes;  // timed departures; empty for a frequent service
  int interval = 0;
  std::uint32_t hours = 0;
  std::uint8_t days = kEveryDay;
};

// A train's run: its stops and the riding minutes of each hop.
struct Run {
  std::vector<StationNo> stops;
  std::vector<int> rides;
};

// The hours mask moved `shift` hours later (wrapping at midnight).
std::uint32_t laterHours(std::uint32_t hours, int shift) {
  std::uint32_t moved = 0;
  for (int h = 0; h < 24; ++h) {
    if ((hours >> h) & 1u) moved |= 1u << ((h + shift) % 24);
  }
  return moved;
}

Pattern randomPattern(Dice& dice) {
  Pattern p;
  if (dice.chance(55)) {
    p.minutes.push_back(dice.between(0, 59));
    if (dice.chance(40)) p.minutes.push_back((p.minutes[0] + dice.between(15, 45)) % 60);
  } else {
    static const int kIntervals[] = {4, 6, 10, 12, 15, 20, 30};
    p.interval = kIntervals[dice.between(0, 6)];
  }
  const int first = dice.between(4, 8);
  const int last = dice.between(18, 23);
  for (int h = first; h <= last; ++h) p.hours |= 1u << h;
  if (dice.chance(30)) p.hours &= ~(1u << dice.between(first + 1, last - 1));  // a gap in the service
  if (dice.chance(20)) p.hours |= 0x3;                                         // night runs after midnight
  const int d = dice.between(0, 9);
  p.days = d < 6 ? kEveryDay : d < 8 ? kWeekdays : kWeekends;
  return p;
}

class Builder {
 public:
  Builder(const NetworkShape& shape) : shape_(shape), dice_(shape.seed), dist_(shape.stations) {
    std::vector<StationNo> all;
    for (int s = 1; s <= shape.stations; ++s) {
      all.push_back(static_cast<StationNo>(s));
      x_.push_back(dice_.between(0, shape.side));
      y_.push_back(dice_.between(0, shape.side));
    }
    dist_.network(0, all);
  }

  GeneratedNetwork build(const std::filesystem::path& dir) {
    std::vector<std::vector<StationNo>> lines;
    for (int l = 0; l < shape_.lines; ++l) lines.push_back(randomLine(lines));
    for (const auto& line : lines) addLineTrains(line);
    // Through trains: where a line begins at the end of another, a train
    // runs over both.
    for (const auto& a : lines) {
      for (const auto& b : lines) {
        if (&a == &b || a.back() != b.front()) continue;
        std::vector<StationNo> through = a;
        through.insert(through.end(), b.begin() + 1, b.end());
        if (std::set<StationNo>(through.begin(), through.end()).size() != through.size()) continue;
        addTrainBothWays(through, false);
      }
    }
    addWalks();
    addTransfers();

    dist_.write(dir);
    writeTrainFile(dir / "Train.kv4", trains_);
    writeTransferFile(dir / "Transfer.kv4", transfers_);
    std::stable_sort(
        records_.begin(), records_.end(), [](const DiaDepartureRecord& p, const DiaDepartureRecord& q) {
          return std::tie(p.station, p.nextStation, p.train) < std::tie(q.station, q.nextStation, q.train);
        });
    writeTimetableFiles(dir, static_cast<std::size_t>(shape_.stations), records_);

    GeneratedNetwork net;
    net.stationCount = shape_.stations;
    net.trainCount = static_cast<int>(trains_.trains.size());
    net.departures = records_;
    net.walking.assign(trains_.trains.size() + 1, false);
    for (std::size_t t = 0; t < trains_.trains.size(); ++t) {
      net.walking[t + 1] = trains_.trains[t].networkCode == kWalkingNetwork;
    }
    return net;
  }

 private:
  // A line of distinct stations; half the lines begin where an earlier one ends.
  std::vector<StationNo> randomLine(const std::vector<std::vector<StationNo>>& earlier) {
    std::vector<StationNo> pool;
    for (int s = 1; s <= shape_.stations; ++s) pool.push_back(static_cast<StationNo>(s));
    std::vector<StationNo> line;
    if (!earlier.empty() && dice_.chance(50)) line.push_back(earlier.back().back());
    const int count = dice_.between(3, std::max(3, shape_.stopsPerLine));
    while (static_cast<int>(line.size()) < count) {
      const StationNo s = pool[static_cast<std::size_t>(dice_.between(0, shape_.stations - 1))];
      if (std::find(line.begin(), line.end(), s) == line.end()) line.push_back(s);
    }
    for (std::size_t k = 0; k + 1 < line.size(); ++k) joinStations(line[k], line[k + 1]);
    return line;
  }

  // The distance edge between two neighbouring stations of a line, once per pair.
  int joinStations(StationNo a, StationNo b) {
    const auto key = std::minmax(a, b);
    const auto known = distances_.find(key);
    if (known != distances_.end()) return known->second;
    const double dx = x_[static_cast<std::size_t>(a - 1)] - x_[static_cast<std::size_t>(b - 1)];
    const double dy = y_[static_cast<std::size_t>(a - 1)] - y_[static_cast<std::size_t>(b - 1)];
    const int d = std::max(1, static_cast<int>(std::lround(std::sqrt(dx * dx + dy * dy))));
    dist_.jrBoth(a, b, static_cast<Distance>(d), 3);
    distances_[key] = d;
    rides_[key] = std::max(1, d / 8 + dice_.between(0, 2));
    return d;
  }

  int rideBetween(StationNo a, StationNo b) const { return rides_.at(std::minmax(a, b)); }

  void addLineTrains(const std::vector<StationNo>& line) {
    addTrainBothWays(line, false);
    if (line.size() >= 4 && dice_.chance(60)) addTrainBothWays(line, true);
  }

  // A train each way along the stations; an express passes some of the
  // middle stations and rides a little faster.
  void addTrainBothWays(const std::vector<StationNo>& stations, bool express) {
    std::vector<std::size_t> kept;
    for (std::size_t k = 0; k < stations.size(); ++k) {
      const bool end = k == 0 || k + 1 == stations.size();
      if (end || !express || dice_.chance(40)) kept.push_back(k);
    }
    Run forward;
    for (std::size_t i = 0; i < kept.size(); ++i) {
      forward.stops.push_back(stations[kept[i]]);
      if (i == 0) continue;
      int ride = 0;
      for (std::size_t k = kept[i - 1]; k < kept[i]; ++k) ride += rideBetween(stations[k], stations[k + 1]);
      if (express) ride = std::max(1, ride - dice_.between(0, static_cast<int>(kept[i] - kept[i - 1])));
      forward.rides.push_back(ride);
    }
    Run backward{{forward.stops.rbegin(), forward.stops.rend()},
                 {forward.rides.rbegin(), forward.rides.rend()}};
    addTrain(forward);
    addTrain(backward);
  }

  void addTrain(const Run& run) {
    trains_.trains.push_back({sjis("列車") + std::to_string(trains_.trains.size() + 1), 0});
    const auto train = static_cast<TrainNo>(trains_.trains.size());
    std::vector<Pattern> patterns{randomPattern(dice_)};
    if (dice_.chance(25)) patterns.push_back(randomPattern(dice_));
    for (const Pattern& p : patterns) {
      int elapsed = 0;
      for (std::size_t k = 0; k + 1 < run.stops.size(); ++k) {
        const StationNo from = run.stops[k];
        const StationNo to = run.stops[k + 1];
        const int ride = run.rides[k];
        if (p.interval != 0) {
          addRecord(train, from, to, 0, p.interval, ride, laterHours(p.hours, elapsed / 60), p.days,
                    run.stops.back());
        }
        for (int m : p.minutes) {
          addRecord(train, from, to, (m + elapsed) % 60, 0, ride, laterHours(p.hours, (m + elapsed) / 60),
                    p.days, run.stops.back());
        }
        elapsed += ride;
      }
    }
  }

  void addRecord(TrainNo t, StationNo from, StationNo to, int minute, int interval, int ride,
                 std::uint32_t hours, std::uint8_t days, StationNo terminal) {
    DiaDepartureRecord r = departureRecord(t, from, to, minute, interval, ride, hours);
    r.days = days;
    r.terminal = terminal;
    records_.push_back(r);
  }

  void addWalks() {
    if (shape_.walks <= 0) return;
    trains_.trains.push_back({sjis("徒歩"), kWalkingNetwork});
    const auto walk = static_cast<TrainNo>(trains_.trains.size());
    for (int w = 0; w < shape_.walks; ++w) {
      const auto a = static_cast<StationNo>(dice_.between(1, shape_.stations));
      const auto b = static_cast<StationNo>(dice_.between(1, shape_.stations));
      if (a == b) continue;
      const int minutes = dice_.between(2, 6);
      addRecord(walk, a, b, 0, 1, minutes, kAllHours, kEveryDay, b);
      addRecord(walk, b, a, 0, 1, minutes, kAllHours, kEveryDay, a);
      dist_.link(a, b);
    }
  }

  void addTransfers() {
    const int trains = static_cast<int>(trains_.trains.size());
    for (int k = 0; k < shape_.transfers && trains >= 2; ++k) {
      const auto s = static_cast<StationNo>(dice_.between(1, shape_.stations));
      const auto a = static_cast<TrainNo>(dice_.between(1, trains));
      const auto b = static_cast<TrainNo>(dice_.between(1, trains));
      transfers_.records.push_back({s, a, b, static_cast<std::int16_t>(dice_.between(0, 8))});
    }
  }

  NetworkShape shape_;
  Dice dice_;
  DistFareWorld dist_;
  std::vector<int> x_;
  std::vector<int> y_;
  std::map<std::pair<StationNo, StationNo>, int> distances_;
  std::map<std::pair<StationNo, StationNo>, int> rides_;
  TrainFile trains_;
  TransferFile transfers_;
  std::vector<DiaDepartureRecord> records_;
};

}  // namespace

GeneratedNetwork writeRandomNetwork(const std::filesystem::path& dir, const NetworkShape& shape) {
  return Builder(shape).build(dir);
}

}  // namespace kiv::test
