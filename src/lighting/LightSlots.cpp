#include "lighting/LightSlots.h"

namespace {

// GL's eight light slots belong to the one context of the process, so their
// table does too.
bool slotTaken[lightSlotCount] = {};

bool validSlot(int slot) { return slot >= 0 && slot < lightSlotCount; }

}  // namespace

int allocateLightSlot() {
    for (int slot = 0; slot < lightSlotCount; ++slot) {
        if (!slotTaken[slot]) {
            slotTaken[slot] = true;
            return slot;
        }
    }
    return -1;
}

void freeLightSlot(int slot) {
    if (validSlot(slot)) slotTaken[slot] = false;
}

bool isLightSlotTaken(int slot) { return validSlot(slot) && slotTaken[slot]; }

int freeLightSlotCount() {
    int count = 0;
    for (bool taken : slotTaken) {
        if (!taken) ++count;
    }
    return count;
}
