# Sourced by the scripts: what they share.

# The CMake option that compiles through ccache where it is installed.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
