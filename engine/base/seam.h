#pragma once
// The one form of every seam, the way a lower library reaches up into a higher one: a small
// interface, a null implementation that does nothing, and one registration slot. The higher
// library (or the application) registers its implementation once at launch; until then, and
// after it is cleared, the slot answers with the null form. Tests register a recording form for
// the length of a scope with `Seam::Scoped`, which puts back whatever was registered before.
//
//   class MenuNetwork { ... };  class NullMenuNetwork { ... };   // the interface and its null form
//   engine::Seam<MenuNetwork, NullMenuNetwork>& menuNetworkSeam();
//
// The slot never owns what is registered. Main thread only, like everything it connects.

namespace engine {

template <class Interface, class Null>
class Seam {
 public:
  Seam() = default;
  Seam(const Seam&) = delete;
  Seam& operator=(const Seam&) = delete;

  // The registered implementation, or the null form.
  Interface& get() { return registered_ != nullptr ? *registered_ : null_; }
  bool registered() const { return registered_ != nullptr; }
  // Not owned; null restores the null form.
  void set(Interface* implementation) { registered_ = implementation; }

  // Registers an implementation until the end of a scope, then restores the previous one.
  class Scoped {
   public:
    Scoped(Seam& seam, Interface& implementation) : seam_(seam), previous_(seam.registered_) {
      seam_.registered_ = &implementation;
    }
    ~Scoped() { seam_.registered_ = previous_; }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

   private:
    Seam& seam_;
    Interface* previous_;
  };

 private:
  Null null_{};
  Interface* registered_ = nullptr;
};

}  // namespace engine
