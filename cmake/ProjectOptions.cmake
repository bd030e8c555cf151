set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE Release)
endif()

# Unicode Win32, Windows 7 API level, no min/max macros.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# Win32 structures are set up as {sizeof(s)} with the rest zeroed: that is not a fault.
add_compile_options(-Wall -Wextra -Werror -Wno-missing-field-initializers)
# Runtimes linked in, so the binaries need only Windows' own DLLs and each other.
add_link_options(-static -static-libgcc -static-libstdc++)

# A DLL with undecorated exports taken from its .def file.
function(orv_add_dll name def)
    add_library(${name} SHARED ${ARGN} ${def})
    set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
    target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
endfunction()
