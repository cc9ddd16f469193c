#include "platform/VolumeEjector.h"

namespace platform {

EjectResult VolumeEjector::Eject(const std::string& mountPoint) {
    EjectResult result;
    result.message = UserMessage(UserMessage::Id::kNotEjectedOnWindows, {mountPoint});
    return result;
}

}  // namespace platform
