// Encodes per second of MakeBarPattern for EAN-13 and Code 128 data, and of
// libzint's ZBarcode_Encode on the same inputs, in one run. At the end the
// ratios are printed: how many times faster our encoder is.
//
// libzint stacks a new row onto a symbol that was encoded before, so each of
// its encodes needs ZBarcode_Clear first: "zint" counts the pair, the supported
// way to encode again; "zint_encode_only" resets only the row count, which is
// the encoding alone (its output is not kept, so stale bits do not matter).
#include <benchmark/benchmark.h>
#include <zint.h>

#include <QString>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "barcode/HBarCode.h"

namespace {

constexpr int kInputs = 64;

// Twelve-digit EAN-13 data (the check digit is added by both encoders).
std::vector<std::string> Ean13Data() {
  std::vector<std::string> data;
  unsigned long long x = 690102809588ULL;
  for (int i = 0; i < kInputs; ++i, x = (x * 6364136223846793005ULL + 1442695040888963407ULL)) {
    char digits[13];
    std::snprintf(digits, sizeof digits, "%012llu", x % 1000000000000ULL);
    data.emplace_back(digits);
  }
  return data;
}

// Shop-like Code 128 texts of 12 to 20 characters, set B.
std::vector<std::string> Code128Data() {
  std::vector<std::string> data;
  for (int i = 0; i < kInputs; ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "Tarvel-%05d-%.*s", i * 7919 % 100000, i % 9, "abcXYZ-+/");
    data.emplace_back(text);
  }
  return data;
}

std::vector<QString> ToQStrings(const std::vector<std::string> &data) {
  std::vector<QString> out;
  for (const std::string &s : data) out.push_back(QString::fromStdString(s));
  return out;
}

void Tarvel(benchmark::State &state, barcode::TBarType type, barcode::TCheckSum check,
            const std::vector<std::string> &raw) {
  const std::vector<QString> data = ToQStrings(raw);
  std::string pattern;
  QString text;
  size_t i = 0;
  for (auto _ : state) {
    double ratio = 2.0;
    barcode::MakeBarPattern(type, data[i], 1, ratio, check, pattern, text);
    benchmark::DoNotOptimize(pattern.data());
    benchmark::ClobberMemory();
    i = (i + 1) % data.size();
  }
  state.SetItemsProcessed(state.iterations());
}

void Zint(benchmark::State &state, int symbology, bool clear,
          const std::vector<std::string> &data) {
  zint_symbol *symbol = ZBarcode_Create();
  symbol->symbology = symbology;
  size_t i = 0;
  for (auto _ : state) {
    if (clear) {
      ZBarcode_Clear(symbol);
    } else {
      symbol->rows = 0;
      symbol->width = 0;
    }
    const int error = ZBarcode_Encode(
        symbol, reinterpret_cast<const unsigned char *>(data[i].data()), int(data[i].size()));
    if (error >= ZINT_ERROR) {
      state.SkipWithError(symbol->errtxt);
      break;
    }
    benchmark::DoNotOptimize(symbol->encoded_data);
    i = (i + 1) % data.size();
  }
  state.SetItemsProcessed(state.iterations());
  ZBarcode_Delete(symbol);
}

const std::vector<std::string> kEan13 = Ean13Data();
const std::vector<std::string> kCode128 = Code128Data();

void EAN13_tarvel(benchmark::State &s) {
  Tarvel(s, barcode::bcCodeEAN13, barcode::csModulo10, kEan13);
}
void EAN13_zint(benchmark::State &s) {
  Zint(s, BARCODE_EANX, true, kEan13);
}
void EAN13_zint_encode_only(benchmark::State &s) {
  Zint(s, BARCODE_EANX, false, kEan13);
}
void Code128_tarvel(benchmark::State &s) {
  Tarvel(s, barcode::bcCode128B, barcode::csNone, kCode128);
}
void Code128_zint(benchmark::State &s) {
  Zint(s, BARCODE_CODE128B, true, kCode128);
}
void Code128_zint_encode_only(benchmark::State &s) {
  Zint(s, BARCODE_CODE128B, false, kCode128);
}

BENCHMARK(EAN13_tarvel);
BENCHMARK(EAN13_zint);
BENCHMARK(EAN13_zint_encode_only);
BENCHMARK(Code128_tarvel);
BENCHMARK(Code128_zint);
BENCHMARK(Code128_zint_encode_only);

// The console report, plus the encodes per second of each run kept for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
      const auto it = run.counters.find("items_per_second");
      if (it != run.counters.end() && !run.error_occurred)
        perSecond_[run.benchmark_name()] = it->second.value;
    }
  }
  void PrintRatios() const {
    std::printf("\nencodes per second and our speed-up over libzint:\n");
    for (const char *family : {"EAN13", "Code128"}) {
      const double ours = Get(std::string(family) + "_tarvel");
      std::printf("  %-8s tarvel %12.0f/s\n", family, ours);
      for (const char *variant : {"_zint", "_zint_encode_only"}) {
        const double theirs = Get(std::string(family) + variant);
        std::printf("  %-8s %-17s %12.0f/s   ratio %.2f\n", family, variant + 1, theirs,
                    theirs > 0 ? ours / theirs : 0.0);
      }
    }
  }

 private:
  double Get(const std::string &name) const {
    const auto it = perSecond_.find(name);
    return it == perSecond_.end() ? 0.0 : it->second;
  }
  std::map<std::string, double> perSecond_;
};

}  // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
