#pragma once
// Objects that the platform hands out but whose code lives in higher libraries (the desktop
// controls, the text fields, the network transports). Each higher library implements its factory
// and the application registers it with the platform at launch. Until then the null factories
// create nothing.

#include <memory>

#include "platform/abstract_controls_handler.h"
#include "platform/net_bridge.h"
#include "platform/text_field.h"
#include "platform/text_field_listener.h"

namespace kel {

class ControlsHandlerFactory {
 public:
  virtual ~ControlsHandlerFactory() = default;
  // The factor (1.0, 0.5 or 0.25 at the call sites) is for touch screens; the desktop ignores it.
  virtual std::unique_ptr<AbstractControlsHandler> create(AbstractControls& controls,
                                                          float factor) = 0;
};

class TextFieldFactory {
 public:
  virtual ~TextFieldFactory() = default;
  virtual std::unique_ptr<TextField> createTextField(const TextFieldSetup& setup) = 0;
  virtual std::unique_ptr<TextFieldListener> createTextFieldListener() = 0;
};

// One transport kind's client and server bridges.
class NetBridgeFactory {
 public:
  virtual ~NetBridgeFactory() = default;
  virtual std::unique_ptr<NetBridgeClient> createClient(NetBridgeListener* listener,
                                                        const NetBridgeSetup& info) = 0;
  virtual std::unique_ptr<NetBridgeServer> createServer(NetBridgeListener* listener,
                                                        const NetBridgeSetup& info) = 0;
};

class NullControlsHandlerFactory : public ControlsHandlerFactory {
 public:
  std::unique_ptr<AbstractControlsHandler> create(AbstractControls&, float) override {
    return nullptr;
  }
};

class NullTextFieldFactory : public TextFieldFactory {
 public:
  std::unique_ptr<TextField> createTextField(const TextFieldSetup&) override { return nullptr; }
  std::unique_ptr<TextFieldListener> createTextFieldListener() override { return nullptr; }
};

class NullNetBridgeFactory : public NetBridgeFactory {
 public:
  std::unique_ptr<NetBridgeClient> createClient(NetBridgeListener*,
                                                const NetBridgeSetup&) override {
    return nullptr;
  }
  std::unique_ptr<NetBridgeServer> createServer(NetBridgeListener*,
                                                const NetBridgeSetup&) override {
    return nullptr;
  }
};

}  // namespace kel
