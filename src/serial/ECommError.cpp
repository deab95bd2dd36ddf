#include "serial/ECommError.h"

#include "platform/SystemError.h"

ECommError::ECommError(std::uint8_t kind)
    : m_kind(kind), m_code(static_cast<std::uint32_t>(platform::LastSystemError())) {}
