// What a text reference resolves to: the address of a value together with the
// kind of value that lives there, so that whoever binds the reference reads
// and writes it as what it is, never an integer as a double or a pointer as a
// number; and the life of the object that holds it, so that a binding kept
// past the object's deletion knows it is gone instead of reading freed memory.
#pragma once

#include <cstdint>

enum class VariableKind : uint8_t {
  kNone,
  kInt,  // int32_t
  kFloat,
  kDouble,
  kIntSlot,     // an instrument's Bound<int32_t> variable slot
  kDoubleSlot,  // an instrument's Bound<double> variable slot
  kObject,      // a system object or one of its ports
  kObjectLink,  // a pointer to another system object
};

// The generation of an object's life: a deletion counts it up, so a binding
// taken before reads the object as gone. The cell outlives the object.
using LifeCell = uint32_t;

template <typename T>
class Bound;

template <typename T>
struct VariableKindOf;
template <>
struct VariableKindOf<int32_t> {
  static constexpr VariableKind kind = VariableKind::kInt;
};
template <>
struct VariableKindOf<float> {
  static constexpr VariableKind kind = VariableKind::kFloat;
};
template <>
struct VariableKindOf<double> {
  static constexpr VariableKind kind = VariableKind::kDouble;
};
template <>
struct VariableKindOf<Bound<int32_t>> {
  static constexpr VariableKind kind = VariableKind::kIntSlot;
};
template <>
struct VariableKindOf<Bound<double>> {
  static constexpr VariableKind kind = VariableKind::kDoubleSlot;
};

class VariableRef {
 public:
  VariableRef() = default;

  // The variable `value` itself, living as long as whatever holds the ref.
  template <typename T>
  static VariableRef To(T &value) {
    return VariableRef(&value, VariableKindOf<T>::kind);
  }
  static VariableRef Object(void *object) { return VariableRef(object, VariableKind::kObject); }
  static VariableRef Link(void *pointer) { return VariableRef(pointer, VariableKind::kObjectLink); }

  // The same variable, held by an object whose life is `cell`.
  VariableRef LivingIn(const LifeCell *cell) const {
    VariableRef held = *this;
    if (address != nullptr && cell != nullptr) {
      held.life = cell;
      held.generation = *cell;
    }
    return held;
  }
  // False once the object holding the variable is deleted.
  bool Live() const { return life == nullptr || *life == generation; }

  // The address of an object or port; null for variables.
  void *ObjectAddress() const { return kind == VariableKind::kObject ? address : nullptr; }
  // The slot's pointee kind: what may be bound into a slot of this kind.
  VariableKind BoundKind() const;

  explicit operator bool() const { return address != nullptr; }

  void *address = nullptr;
  VariableKind kind = VariableKind::kNone;
  const LifeCell *life = nullptr;
  LifeCell generation = 0;

 private:
  VariableRef(void *at, VariableKind k) : address(at), kind(at != nullptr ? k : VariableKind::kNone) {}
};

inline VariableKind VariableRef::BoundKind() const {
  if (kind == VariableKind::kIntSlot) return VariableKind::kInt;
  if (kind == VariableKind::kDoubleSlot) return VariableKind::kDouble;
  return VariableKind::kNone;
}

// An instrument's binding to a T: a reference to it, life and all, typed.
// Unbound, it is nothing; once what held it is deleted, it is gone.
template <typename T>
class Bound {
 public:
  Bound() = default;
  // A variable that lives as long as the vessel (a ship variable, the
  // instrument's own state), or none.
  Bound(T *variable) : held(variable != nullptr ? VariableRef::To(*variable) : VariableRef()) {}
  // `variable` must hold a T.
  explicit Bound(const VariableRef &variable) : held(variable) {}

  // The variable while it lives; null when unbound or gone.
  T *Get() const { return held.Live() ? static_cast<T *>(held.address) : nullptr; }
  bool Unbound() const { return !held; }
  bool Gone() const { return !held.Live(); }
  // The bound variable as a reference, with its life; none once it is gone.
  VariableRef Ref() const { return held.Live() ? held : VariableRef(); }

 private:
  VariableRef held;
};
