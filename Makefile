# Parsilia: the two commands of the README.
#   make run   installs what is missing, builds, starts Parsilia
#   make test  installs what is missing, builds, runs every test

BUILD     ?= build
# clang with its libFuzzer (libclang-rt-14-dev, only recommended by clang)
# fuzzes the reader of a teacher's file of sentences. libespeak-ng-dev and
# espeak-ng-data: the voice (--voce), and its tests.
PACCHETTI := g++ cmake make qt6-base-dev libxcb1-dev libsdl2-mixer-dev fonts-liberation2 fonts-urw-base35 \
             libespeak-ng-dev espeak-ng-data xvfb xdotool x11-utils openbox clang libclang-rt-14-dev
SUDO      := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS      := $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build configure deps clean package bench fuzz windows

# Only the program and its cues: no need to wait for the tests.
run: configure
	cmake --build $(BUILD) -j$(JOBS) --target parsilia
	./$(BUILD)/parsilia

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

configure: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Debian packages, installed only when one is missing (no apt call otherwise).
deps:
	@mancanti=$$(for p in $(PACCHETTI); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; \
	done); \
	if [ -n "$$mancanti" ]; then \
	    echo "Installing:" $$mancanti; \
	    $(SUDO) apt-get update && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$mancanti; \
	fi

# A Debian package of Parsilia (see the README): build/parsilia_<version>_<arch>.deb.
# CPack also needs dpkg-shlibdeps (dpkg-dev), which names the libraries the
# program links, and file, which tells it which files are programs.
PACCHETTI_DEB := dpkg-dev file

# Only what the package holds is built (the program, its cues, the icon
# sizes), not the tests: installing builds nothing (CMAKE_SKIP_INSTALL_ALL_DEPENDENCY).
# Configured again each time, for whoever makes it (packaging/manutentore.sh):
#   make package PARSILIA_MANUTENTORE="Name <address>"
package: package-deps configure
	cmake $(BUILD) > /dev/null
	cmake --build $(BUILD) -j$(JOBS) --target parsilia
	cd $(BUILD) && cpack -G DEB

.PHONY: package-deps
package-deps: deps
	@$(MAKE) --no-print-directory deps PACCHETTI="$(PACCHETTI_DEB)"

# Benchmarks, not part of the tests (figures in docs/BENCHMARKS.md).
bench: deps
	@$(MAKE) --no-print-directory deps PACCHETTI="libbenchmark-dev time"
	PARSILIA_BENCH_BUILD=$(BUILD)-bench bench/misura.sh

# A long fuzz run of the reader of a teacher's file (make test runs it for a
# few seconds): FUZZ_SECONDI seconds (default 600). New inputs are kept in
# $(BUILD)/fuzz/nuovi, a failing one in $(BUILD)/fuzz/; add it to fuzz/corpus
# with the fix.
FUZZ_SECONDI ?= 600
fuzz: configure
	cmake --build $(BUILD) --target fuzz_lettore
	mkdir -p $(BUILD)/fuzz/nuovi
	$(BUILD)/fuzz/fuzz_lettore -max_total_time=$(FUZZ_SECONDI) -timeout=10 -rss_limit_mb=2048 \
	    -print_final_stats=1 -artifact_prefix=$(BUILD)/fuzz/ $(BUILD)/fuzz/nuovi fuzz/corpus

# Parsilia.exe for 64-bit Windows, cross-built here: $(BUILD_WINDOWS)/Parsilia.exe,
# its cues in $(BUILD_WINDOWS)/suoni and its voice's data in
# $(BUILD_WINDOWS)/espeak-ng-data (espeak-ng is linked in, from
# packaging/windows/espeak-mingw.sh). It links a static Qt built once by
# packaging/windows/qt-mingw.sh (the better part of an hour the first time,
# kept in /var/cache/parsilia). The cues, the sentence bank and the icon are
# made by the native build's tools, in $(BUILD).
BUILD_WINDOWS ?= build-windows
PACCHETTI_WINDOWS := g++-mingw-w64-x86-64-posix ninja-build icoutils
windows: configure
	@$(MAKE) --no-print-directory deps PACCHETTI="$(PACCHETTI_WINDOWS)"
	cmake --build $(BUILD) -j$(JOBS) --target gensuoni generabanca disegnaicona
	$(SUDO) packaging/windows/qt-mingw.sh
	$(SUDO) packaging/windows/espeak-mingw.sh
	@# A build folder made with another Qt (other options, another patch) is made anew;
	@# one made with another espeak-ng is pointed at the new one.
	@qt=$$(packaging/windows/qt-mingw.sh --prefix); \
	espeak=$$(packaging/windows/espeak-mingw.sh --prefix); \
	if ! grep -qsF "$$qt/" $(BUILD_WINDOWS)/CMakeCache.txt; then \
	    rm -rf $(BUILD_WINDOWS); \
	    cmake -S . -B $(BUILD_WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	        -DCMAKE_TOOLCHAIN_FILE=$$qt/lib/cmake/Qt6/qt.toolchain.cmake -DPARSILIA_STRUMENTI_HOST=$(CURDIR)/$(BUILD) \
	        -DPARSILIA_ESPEAK=$$espeak; \
	elif ! grep -qsxF "PARSILIA_ESPEAK:PATH=$$espeak" $(BUILD_WINDOWS)/CMakeCache.txt; then \
	    cmake $(BUILD_WINDOWS) -DPARSILIA_ESPEAK=$$espeak > /dev/null; \
	fi
	cmake --build $(BUILD_WINDOWS) -j$(JOBS) --target parsilia suoni

# espeak-ng for the Windows build: a static library and the Italian voice's
# data, cross-built from Debian's source by packaging/windows/espeak-mingw.sh
# (a few minutes the first time, then kept in /var/cache/parsilia, where it is
# proven to speak under Wine). Its folder: packaging/windows/espeak-mingw.sh --prefix.
.PHONY: espeak-windows
espeak-windows:
	$(SUDO) packaging/windows/espeak-mingw.sh

# Parsilia's Windows packages (packaging/windows/): the installer for a
# school's PCs and the zip for a home PC, in $(BUILD_WINDOWS)/pacchetti.
# Signed with Authenticode when given a certificate and its password:
#   make windows-package PARSILIA_FIRMA_PFX=cert.pfx PARSILIA_FIRMA_PASSWORD_FILE=password.txt
# (and PARSILIA_FIRMA_TIMESTAMP=URL of a timestamp server); unsigned without.
VERSIONE := $(shell sed -n 's/^project.Parsilia VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
PACCHETTI_MSI := wixl msitools zip osslsigncode
PACCHETTI_PROVA_MSI := $(PACCHETTI_MSI) wine wine64 unzip binutils icoutils openssl
export PARSILIA_MANUTENTORE PARSILIA_FIRMA_PFX PARSILIA_FIRMA_PASSWORD_FILE PARSILIA_FIRMA_TIMESTAMP
.PHONY: windows-package test-windows
windows-package: windows
	@$(MAKE) --no-print-directory deps PACCHETTI="$(PACCHETTI_MSI)"
	@# The contact is the .deb's Maintainer, also when fixed with -DPARSILIA_MAINTAINER.
	PARSILIA_MANUTENTORE="$${PARSILIA_MANUTENTORE:-$$(sed -n 's/^PARSILIA_MAINTAINER:[A-Z]*=//p' $(BUILD)/CMakeCache.txt)}" \
	    packaging/windows/pacchetti.sh $(BUILD_WINDOWS) $(BUILD_WINDOWS)/pacchetti $(VERSIONE)

# A release a school can download, in $(RILASCIO)/parsilia-$(VERSIONE): the
# .deb, the MSI and the zip of this version, their sources, SHA256SUMS and
# this version's part of NOVITA.txt (packaging/rilascio.sh). A folder that
# exists already is refused before anything is built.
RILASCIO ?= rilascio
.PHONY: release
release:
	@packaging/rilascio.sh --controlla $(RILASCIO) $(VERSIONE)
	$(MAKE) --no-print-directory package
	$(MAKE) --no-print-directory windows-package
	packaging/rilascio.sh $(RILASCIO) $(VERSIONE) $(BUILD) $(BUILD_WINDOWS)/pacchetti

# Under Wine: the test suites (on Qt's offscreen platform), the real
# Parsilia.exe on a virtual display (its pictures in $(BUILD_WINDOWS)/fumo),
# then both packages, in a Wine prefix of their own.
test-windows: windows
	@$(MAKE) --no-print-directory deps PACCHETTI="$(PACCHETTI_PROVA_MSI)"
	cmake --build $(BUILD) -j$(JOBS) --target cattura
	cmake --build $(BUILD_WINDOWS) -j$(JOBS)
	cd $(BUILD_WINDOWS) && ctest --output-on-failure -j$(JOBS)
	packaging/windows/prova-msi.sh $(BUILD_WINDOWS)

# The Windows build's start-up, size and memory under Wine (bench/wine.sh;
# figures in docs/BENCHMARKS.md).
.PHONY: bench-windows
bench-windows: windows
	@$(MAKE) --no-print-directory deps PACCHETTI="$(PACCHETTI_PROVA_MSI)"
	cmake -DPARSILIA_BENCH=ON $(BUILD_WINDOWS) > /dev/null
	cmake --build $(BUILD_WINDOWS) -j$(JOBS) --target bench_avvio bench_avvio_qt bench_voce
	bench/wine.sh $(BUILD_WINDOWS)

clean:
	rm -rf $(BUILD) $(BUILD_WINDOWS)
