# Settings shared by every target of the project: one INTERFACE target that
# each library, program, test and benchmark links to.
add_library(dap_common INTERFACE)
target_compile_features(dap_common INTERFACE cxx_std_17)
target_compile_options(dap_common INTERFACE -Wall -Wextra)
if(DAP_WERROR)
    target_compile_options(dap_common INTERFACE -Werror)
endif()
target_compile_definitions(dap_common INTERFACE
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_USE_QSTRINGBUILDER
    QT_DISABLE_DEPRECATED_BEFORE=0x050F00
)
