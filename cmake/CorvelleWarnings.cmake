# corvelle_warnings: the warnings every target of the project builds with. Link it
# PRIVATE, so it never reaches a target's users.
add_library(corvelle_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "^(GNU|Clang|AppleClang)$")
    target_compile_options(corvelle_warnings INTERFACE
        -Wall -Wextra -pedantic
        -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
elseif(MSVC)
    target_compile_options(corvelle_warnings INTERFACE /W4 /permissive-)
endif()
# Signals, slots and emit are spelled Q_SIGNALS, Q_SLOTS and Q_EMIT throughout.
target_compile_definitions(corvelle_warnings INTERFACE QT_NO_KEYWORDS)

# corvelle_strict_strings: no implicit conversion of 8-bit text to QString, so every
# text says its encoding. For the programs and their libraries; tests write their
# data as plain literals.
add_library(corvelle_strict_strings INTERFACE)
target_compile_definitions(corvelle_strict_strings INTERFACE QT_NO_CAST_FROM_ASCII)
