// Where descriptions make themselves known. A panel (or, beside it, a tool)
// is registered by one object at namespace scope in its calculator file:
//
//   const Registration<PanelDescriptor> kRegistered(kPanel);
//
// so that adding one touches its own files only; a tool registers the same
// way with Registration<ToolDescriptor>, in a registry of its own kind. A
// test executable may register descriptions of its own the same way.
// Registration happens
// during static initialization; the registry is read only after it, and
// keeps the descriptions in no particular order: the shell orders them by
// what the descriptions say.
#pragma once

#include <span>
#include <vector>

namespace pyrelon {

template <typename Descriptor>
class Registry {
 public:
  // `descriptor` lives for the whole program (a namespace-scope constant).
  static void add(const Descriptor& descriptor) { entries().push_back(&descriptor); }
  static std::span<const Descriptor* const> all() { return entries(); }

 private:
  // Built on first use, so that registrations from any translation unit
  // find it whatever the order of static initialization.
  static std::vector<const Descriptor*>& entries() {
    static std::vector<const Descriptor*> registered;
    return registered;
  }
};

template <typename Descriptor>
struct Registration {
  explicit Registration(const Descriptor& descriptor) { Registry<Descriptor>::add(descriptor); }
};

}  // namespace pyrelon
