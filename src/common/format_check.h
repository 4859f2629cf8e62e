// Compile-time checks of printf-style format strings against their arguments.
#pragma once

#if defined(__MINGW32__)
#include <cstdio>  // defines __MINGW_PRINTF_FORMAT for the runtime's formatter

// MinGW's C runtime formatter follows C99 (gnu_printf) unless told otherwise; the Windows
// formatter of wsprintf follows the Microsoft conversions.
#define ZORV_PRINTF_FORMAT(format_index, first_arg) \
  __attribute__((format(__MINGW_PRINTF_FORMAT, format_index, first_arg)))
#define ZORV_WSPRINTF_FORMAT(format_index, first_arg) \
  __attribute__((format(ms_printf, format_index, first_arg)))
#elif defined(__GNUC__)
#define ZORV_PRINTF_FORMAT(format_index, first_arg) \
  __attribute__((format(printf, format_index, first_arg)))
#define ZORV_WSPRINTF_FORMAT(format_index, first_arg) \
  __attribute__((format(printf, format_index, first_arg)))
#else
#define ZORV_PRINTF_FORMAT(format_index, first_arg)
#define ZORV_WSPRINTF_FORMAT(format_index, first_arg)
#endif
