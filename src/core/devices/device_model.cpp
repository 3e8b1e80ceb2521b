#include "core/devices/device_model.h"

namespace picprog {

const DeviceModel* DeviceDatabase::model(int32_t number) const {
    if (number < 1 || number > model_count()) {
        return nullptr;
    }
    return &models[static_cast<size_t>(number - 1)];
}

}  // namespace picprog
