// What a text reference resolves to: the address of a value together with the
// kind of value that lives there, so that whoever binds the reference reads
// and writes it as what it is, never an integer as a double or a pointer as a
// number.
#pragma once

#include <cstdint>

enum class VariableKind : uint8_t {
  kNone,
  kInt,         // int32_t
  kFloat,
  kDouble,
  kIntSlot,     // an instrument's int32_t * variable slot
  kDoubleSlot,  // an instrument's double * variable slot
  kObject,      // a system object or one of its ports
  kObjectLink,  // a pointer to another system object
};

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
struct VariableKindOf<int32_t *> {
  static constexpr VariableKind kind = VariableKind::kIntSlot;
};
template <>
struct VariableKindOf<double *> {
  static constexpr VariableKind kind = VariableKind::kDoubleSlot;
};

class VariableRef {
 public:
  VariableRef() = default;

  // The variable `value` itself.
  template <typename T>
  static VariableRef To(T &value) {
    return VariableRef(&value, VariableKindOf<T>::kind);
  }
  // The variable a slot holds; nothing when the slot is empty.
  template <typename T>
  static VariableRef Held(T *slotValue) {
    return slotValue != nullptr ? To(*slotValue) : VariableRef();
  }
  static VariableRef Object(void *object) { return VariableRef(object, VariableKind::kObject); }
  static VariableRef Link(void *pointer) { return VariableRef(pointer, VariableKind::kObjectLink); }

  // The address of an object or port; null for variables.
  void *ObjectAddress() const { return kind == VariableKind::kObject ? address : nullptr; }
  // The slot's pointee kind: what may be bound into a slot of this kind.
  VariableKind BoundKind() const;

  explicit operator bool() const { return address != nullptr; }

  void *address = nullptr;
  VariableKind kind = VariableKind::kNone;

 private:
  VariableRef(void *at, VariableKind k) : address(at), kind(at != nullptr ? k : VariableKind::kNone) {}
};

inline VariableKind VariableRef::BoundKind() const {
  if (kind == VariableKind::kIntSlot) return VariableKind::kInt;
  if (kind == VariableKind::kDoubleSlot) return VariableKind::kDouble;
  return VariableKind::kNone;
}
