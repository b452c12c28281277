// BindConverter: load, then set the one option the program converts with.
#include "binding/BindConverter.h"

namespace {

ConverterLibrary::EntryPoints Bind(const ConverterLibrary::EntryPoints& entries) {
  if (entries.setOption == nullptr || entries.convert == nullptr) return entries;
  entries.setOption("-s");
  return entries;
}

}  // namespace

ConverterLibrary::EntryPoints BindConverter() { return Bind(ConverterLibrary::LoadDefault()); }

ConverterLibrary::EntryPoints BindConverterAt(const char* path) {
  return Bind(ConverterLibrary::Load(path));
}
