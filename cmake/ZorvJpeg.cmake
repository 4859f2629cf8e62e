# libjpeg-turbo as one target, zorv::jpeg, for every build.
#   Native builds: Debian's development package (libjpeg62-turbo-dev).
#   MinGW builds: libjpeg-turbo 2.1.5 cross-built from Debian's source tarball with the same
#   toolchain, static and with SIMD, so the module imports no DLL for it. scripts/setup.sh puts
#   the tarball into ZORV_JPEG_TARBALL.
#   Fuzz builds: the same tarball built with the fuzzer's coverage and the sanitizers, so that
#   libFuzzer sees into the decoder rather than only our thin layer over it.
if(NOT WIN32 AND NOT ZORV_FUZZ)
  find_package(JPEG REQUIRED)
  add_library(zorv::jpeg ALIAS JPEG::JPEG)
  return()
endif()

include(ExternalProject)
set(ZORV_JPEG_TARBALL /var/cache/zorvgame/libjpeg-turbo_2.1.5.orig.tar.gz
    CACHE FILEPATH "libjpeg-turbo 2.1.5 source tarball (scripts/setup.sh fetches it)")
set(ZORV_JPEG_SHA256 254f3642b04e309fee775123133c6464181addc150499561020312ec61c1bf7c)
if(NOT EXISTS ${ZORV_JPEG_TARBALL})
  message(FATAL_ERROR "${ZORV_JPEG_TARBALL} is missing: run scripts/setup.sh")
endif()
find_program(ZORV_NASM nasm REQUIRED)

set(jpeg_prefix ${CMAKE_BINARY_DIR}/libjpeg-turbo)
set(jpeg_toolchain_args -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE})
if(ZORV_FUZZ)
  set(jpeg_toolchain_args -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}
      "-DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all")
endif()
set(jpeg_library ${jpeg_prefix}/lib/libjpeg.a)
ExternalProject_Add(libjpeg_turbo_build
  URL ${ZORV_JPEG_TARBALL}
  URL_HASH SHA256=${ZORV_JPEG_SHA256}
  DOWNLOAD_EXTRACT_TIMESTAMP ON
  PREFIX ${CMAKE_BINARY_DIR}/libjpeg-turbo-build
  INSTALL_DIR ${jpeg_prefix}
  CMAKE_ARGS
    -G Ninja
    ${jpeg_toolchain_args}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DCMAKE_ASM_NASM_COMPILER=${ZORV_NASM}
    -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON
    -DWITH_SIMD=ON
    -DREQUIRE_SIMD=ON
    -DWITH_TURBOJPEG=OFF
  BUILD_BYPRODUCTS ${jpeg_library}
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_INSTALL ON
  LOG_OUTPUT_ON_FAILURE ON)

# The include folder must exist when the imported target is defined.
file(MAKE_DIRECTORY ${jpeg_prefix}/include)
add_library(zorv_jpeg_static STATIC IMPORTED GLOBAL)
set_target_properties(zorv_jpeg_static PROPERTIES
  IMPORTED_LOCATION ${jpeg_library}
  INTERFACE_INCLUDE_DIRECTORIES ${jpeg_prefix}/include)
add_dependencies(zorv_jpeg_static libjpeg_turbo_build)
add_library(zorv::jpeg ALIAS zorv_jpeg_static)
