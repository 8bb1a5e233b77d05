#include "TreeAllowance.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <pugixml.hpp>

namespace velto {
namespace {

constexpr std::size_t kTreeFloor = std::size_t{64} << 20;

thread_local std::size_t* treeAllowance = nullptr;

void* AllocateWithinAllowance(std::size_t size) {
    if (treeAllowance != nullptr) {
        if (size > *treeAllowance)
            return nullptr;
        *treeAllowance -= size;
    }
    return std::malloc(size);
}

void Deallocate(void* pointer) {
    std::free(pointer);
}

} // namespace

TreeAllowance::TreeAllowance(std::size_t fileSize) : remaining_(std::max(3 * fileSize, kTreeFloor)) {
    static std::once_flag installed;
    std::call_once(installed,
                   [] { pugi::set_memory_management_functions(AllocateWithinAllowance, Deallocate); });
    treeAllowance = &remaining_;
}

TreeAllowance::~TreeAllowance() {
    treeAllowance = nullptr;
}

} // namespace velto
