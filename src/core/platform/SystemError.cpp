#include "SystemError.h"

#include <system_error>

namespace velto {

std::string SystemErrorText(int error) {
    return std::system_category().message(error);
}

} // namespace velto
