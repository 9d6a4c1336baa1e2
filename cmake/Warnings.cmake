# Warnings apply to our own targets only; third-party headers come in as system includes.
function(velto_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

if(VELTO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
