// Loading the built-in skin from its packed archive, next to the bare inflate of
// the same entries (and a memcpy of the inflated bytes) as references.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "skin/acSkinPack.h"
#include "skin/acSkinSource.h"
#include "skin/acSkinWriter.h"
#include "skin/sSkinModel.h"

namespace {

const std::vector<uint8_t>& AirArchive() {
  static const std::vector<uint8_t> archive = PackSkinFolder(VQ_SOURCE_DIR "/skins/air");
  return archive;
}

struct Entry {
  size_t Offset;  // of the zlib stream
  size_t Size;    // inflated
};

// Where each entry's stream starts, found by a real unpack of each prefix.
std::vector<Entry> LocateEntries(const std::vector<uint8_t>& a) {
  auto at = [&](size_t p) {
    return static_cast<size_t>(a[p] | a[p + 1] << 8 | a[p + 2] << 16 | static_cast<uint32_t>(a[p + 3]) << 24);
  };
  std::vector<Entry> entries;
  size_t pos = 8;
  for (size_t i = 0, n = at(4); i < n; ++i) {
    pos += 4 + at(pos);
    Entry e{pos + 4, at(pos)};
    z_stream zs{};
    inflateInit(&zs);
    std::vector<uint8_t> out(e.Size + 1);
    zs.next_in = const_cast<Bytef*>(a.data() + e.Offset);
    zs.avail_in = static_cast<uInt>(a.size() - e.Offset);
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    if (inflate(&zs, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("bad archive");
    pos = e.Offset + zs.total_in;
    inflateEnd(&zs);
    entries.push_back(e);
  }
  return entries;
}

size_t InflatedBytes(const std::vector<Entry>& entries) {
  size_t total = 0;
  for (const Entry& e : entries) total += e.Size;
  return total;
}

void LoadAir(benchmark::State& state, int hue, int saturation) {
  const std::vector<uint8_t>& archive = AirArchive();
  TsSkinLoadSettings settings;
  settings.HueOffset = hue;
  settings.Saturation = saturation;
  for (auto _ : state) {
    std::unique_ptr<TacSkinConvertor> reader;
    UnpackSkinData(archive.data(), archive.size(), reader);
    TacPackedSkinSource source(*reader);
    TsSkinModel model;
    model.LoadSkin(source, settings);
    benchmark::DoNotOptimize(model.Masks.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(InflatedBytes(LocateEntries(archive))));
}

}  // namespace

// Unpack and the whole model: options, images decoded, sections, indexes.
static void BM_SkinLoadPackedAir(benchmark::State& state) { LoadAir(state, 0, 0); }
BENCHMARK(BM_SkinLoadPackedAir)->Unit(benchmark::kMicrosecond);

// The same with a hue and a saturation change of every bitmap and colour.
static void BM_SkinLoadPackedAirRecoloured(benchmark::State& state) { LoadAir(state, 40, 20); }
BENCHMARK(BM_SkinLoadPackedAirRecoloured)->Unit(benchmark::kMicrosecond);

// The archive reader alone.
static void BM_SkinUnpackAir(benchmark::State& state) {
  const std::vector<uint8_t>& archive = AirArchive();
  for (auto _ : state) {
    std::unique_ptr<TacSkinConvertor> reader;
    UnpackSkinData(archive.data(), archive.size(), reader);
    benchmark::DoNotOptimize(reader.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(InflatedBytes(LocateEntries(archive))));
}
BENCHMARK(BM_SkinUnpackAir)->Unit(benchmark::kMicrosecond);

// Reference: zlib inflating the same entries into ready buffers.
static void BM_BareInflateAirEntries(benchmark::State& state) {
  const std::vector<uint8_t>& archive = AirArchive();
  const std::vector<Entry> entries = LocateEntries(archive);
  std::vector<std::vector<uint8_t>> out;
  for (const Entry& e : entries) out.emplace_back(e.Size + 1);
  for (auto _ : state) {
    for (size_t i = 0; i < entries.size(); ++i) {
      uLongf size = static_cast<uLongf>(out[i].size());
      uLong consumed = static_cast<uLong>(archive.size() - entries[i].Offset);
      uncompress2(out[i].data(), &size, archive.data() + entries[i].Offset, &consumed);
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(InflatedBytes(entries)));
}
BENCHMARK(BM_BareInflateAirEntries)->Unit(benchmark::kMicrosecond);

// Reference: copying the inflated bytes once.
static void BM_MemcpyAirInflatedBytes(benchmark::State& state) {
  const size_t bytes = InflatedBytes(LocateEntries(AirArchive()));
  std::vector<uint8_t> a(bytes, 1), b(bytes);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_MemcpyAirInflatedBytes)->Unit(benchmark::kMicrosecond);
