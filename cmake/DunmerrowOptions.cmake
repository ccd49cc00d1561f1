# Compile options are set per target, never globally, so that third-party
# code pulled in later is not held to our warning level.
function(dunmerrow_target_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(DUNMERROW_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(DUNMERROW_SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()
