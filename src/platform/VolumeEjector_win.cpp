#include "platform/VolumeEjector.h"

namespace platform {

EjectResult VolumeEjector::Eject(const std::string& mountPoint) {
    EjectResult result;
    result.message = "Not ejected: " + mountPoint +
                     " (ejecting is not available on Windows; use \"Safely Remove Hardware\")";
    return result;
}

}  // namespace platform
