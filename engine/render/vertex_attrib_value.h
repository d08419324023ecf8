#pragma once
// A source for one vertex attribute of a program: a pointer description or a callback.

#include <cstdint>
#include <functional>
#include <string>

namespace engine {

struct VertexAttrib;

class VertexAttribValue {
 public:
  using Callback = std::function<void(VertexAttrib*)>;

  VertexAttribValue() = default;
  explicit VertexAttribValue(VertexAttrib* attrib);

  void apply();
  void setCallback(Callback callback);
  void setPointer(int32_t size, uint32_t type, bool normalized, int32_t stride,
                  const void* pointer);

  bool isEnabled() const { return enabled_; }
  const std::string& getName() const { return name_; }
  VertexAttrib* getVertexAttrib() const { return attrib_; }
  void rebind(VertexAttrib* attrib) { attrib_ = attrib; }

 private:
  VertexAttrib* attrib_ = nullptr;
  bool useCallback_ = false;
  bool enabled_ = false;
  std::string name_;
  Callback callback_;
  int32_t size_ = 0;
  uint32_t type_ = 0;
  bool normalized_ = false;
  int32_t stride_ = 0;
  const void* pointer_ = nullptr;
};

}  // namespace engine
