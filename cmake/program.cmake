# The program's name and version, for every build (native, Windows, browser).
set(ZEMBLOR_VERSION 5.00)
set(ZEMBLOR_TITLE "Zemblor (Ortheq, Quillet) Simulator")
