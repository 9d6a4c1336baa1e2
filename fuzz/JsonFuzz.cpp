// Any text through the parser, and every tree it accepts through both generators, twice (the second
// run exercises reuse), then released. -max_len must be large enough to reach the nesting limit:
//   build-fuzz/bin/json_fuzz -max_len=40000 -rss_limit_mb=3000 corpus-dir fuzz/corpus

#include "json/JsonDesign.h"

#include <cstdint>
#include <cstdlib>

using namespace Velto::Arduino::JSON::Design;

namespace {

template <class TComponent, class TRoot, class TTarget>
void GenerateTwice(const TRoot& root, void (*process)(const TRoot&, TTarget&)) {
  TComponent component;
  process(root, *component.GetElements());
  const int first = component.GetElements()->GetCount();
  process(root, *component.GetElements());
  // Generation never removes anything.
  if (component.GetElements()->GetCount() < first) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
  bool reported = false;
  const IJsonElement root = TJsonParser::Parse(text, [&](const TJsonParseError& error) {
    if (error.reason.isEmpty() || error.position < 0) std::abort();
    reported = true;
  });
  if (!root) {
    if (!reported) std::abort();
    return 0;
  }
  if (const auto* object = dynamic_cast<const TObjectJsonElement*>(root.get())) {
    GenerateTwice<TArduinoMakeJSON>(*object, &ProcessObjectMaker);
    GenerateTwice<TArduinoSplitJSON>(*object, &ProcessObjectSplitter);
  } else if (const auto* array = dynamic_cast<const TArrayJsonElement*>(root.get())) {
    GenerateTwice<TArduinoMakeJSONArray>(*array, &ProcessArrayMaker);
    GenerateTwice<TArduinoSplitJSONArray>(*array, &ProcessArraySplitter);
  }
  return 0;
}
