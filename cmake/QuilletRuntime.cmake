# The C++ runtime. A dynamically linked libstdc++ costs every run about a
# millisecond of relocation and 1.5 MB of mapped pages, most of it unused,
# so the program and the libraries it ships carry the parts they use, each
# its own hidden copy. They pass only plain data and standard containers
# between them, whose memory all comes from the one C library allocator.
# The sanitizers replace the allocator through the shared runtime, so their
# builds keep it shared.
if(QUILLET_SANITIZE OR QUILLET_FUZZ)
  set(_static_default OFF)
else()
  set(_static_default ON)
endif()
option(QUILLET_STATIC_LIBSTDCXX "Link libstdc++ statically into the program and its libraries" ${_static_default})

# Each function and object in its own section, so that the linker keeps
# only what is reached: the pages a run touches lie closer together.
if(QUILLET_STATIC_LIBSTDCXX)
  add_compile_options(-ffunction-sections -fdata-sections)
endif()

# quillet_own_runtime(TARGET): TARGET carries its own libstdc++, and only
# the code it reaches.
function(quillet_own_runtime name)
  if(QUILLET_STATIC_LIBSTDCXX)
    target_link_options(${name} PRIVATE -static-libstdc++ -Wl,--exclude-libs,libstdc++.a -Wl,--gc-sections)
  endif()
endfunction()
