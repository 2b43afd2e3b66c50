# Brumvelda: one Makefile does the whole set-up on a fresh Debian 12 machine.
BUILD    ?= build
JOBS     ?= 2
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
PACKAGES := build-essential pkg-config cmake ninja-build qt6-base-dev qt6-svg-dev libqt6svg6 \
            qt6-translations-l10n libicu-dev libgtest-dev googletest libbenchmark-dev xvfb xdotool x11-utils \
            clang-14 libclang-rt-14-dev clang-format-14 python3 fonts-dejavu-core imagemagick \
            debhelper dpkg-dev lintian desktop-file-utils appstream librsvg2-bin bash-completion \
            python3-pyatspi at-spi2-core dbus-daemon orca speech-dispatcher openbox x11-xkb-utils locales
PREFIX   ?= $(HOME)/.local
# A compiler cache, when the machine has one, makes rebuilds in several checkouts cheap.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: all deps configure build run test test-windows-core windows test-windows bench fuzz sanitize install uninstall package format \
        format-check layers clean

all: build

# Installs only what is missing of the packages given, so a set-up machine pays nothing.
define install-missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX) $(LAUNCHER)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/bin && ./brumvelda

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# --- Windows, cross-built with MinGW-w64 and tried under wine64 (wine prefixes of their own in
# $(WINDOWS_BUILD)/: the user's ~/.wine is never touched).
WINDOWS_BUILD    ?= build-windows
WINDOWS_PACKAGES := cmake ninja-build g++-mingw-w64-x86-64-posix wine64 googletest nsis dpkg-dev \
                    librsvg2-bin imagemagick xvfb xdotool x11-utils fonts-dejavu-core qt6-translations-l10n
WINE_ENV         := env WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE             := $(WINE_ENV) /usr/lib/wine/wine64
WINDOWS_CORE     := $(WINDOWS_BUILD)/core
TABLA_EXE        := $(WINDOWS_CORE)/bin/brumvelda-tabla.exe
WINDOWS_LIST     := $(WINDOWS_CORE)/data/Brumvelda.lis
# Qt for Windows, built once per machine from Debian's qt6-base source (about 25 minutes on two cores).
WINDOWS_QT       ?= $(HOME)/.cache/brumvelda/qt-6.4.2-mingw64
VERSION          := 1.0

# The Qt-free libraries, the table tool and their tests: the tests run under wine, then the table tool builds
# the shipped puzzle list from the pack and checks and dumps it. When the Linux build has its list, both must
# hold the same bytes.
test-windows-core:
	$(call install-missing,$(WINDOWS_PACKAGES))
	@[ -f $(WINDOWS_CORE)/build.ninja ] || cmake -S . -B $(WINDOWS_CORE) -G Ninja \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DBRUMVELDA_CORE_ONLY=ON $(LAUNCHER)
	cmake --build $(WINDOWS_CORE) -j $(JOBS)
	$(WINE) wineboot --init
	cd $(WINDOWS_CORE) && $(WINE_ENV) ctest --output-on-failure -j $(JOBS) || { $(WINE_ENV) /usr/lib/wine/wineserver -k; exit 1; }
	mkdir -p $(WINDOWS_CORE)/data
	rm -f $(WINDOWS_LIST)
	$(WINE) $(TABLA_EXE) import $(WINDOWS_LIST) < data/puzzles.tsv
	$(WINE) $(TABLA_EXE) shuffle --seed 1 $(WINDOWS_LIST)
	$(WINE) $(TABLA_EXE) check $(WINDOWS_LIST)
	$(WINE) $(TABLA_EXE) dump $(WINDOWS_LIST) > $(WINDOWS_CORE)/data/Brumvelda.tsv
	@[ ! -f $(BUILD)/data/Brumvelda.lis ] || cmp $(BUILD)/data/Brumvelda.lis $(WINDOWS_LIST)
	$(WINE_ENV) /usr/lib/wine/wineserver -w

# The game for Windows: the installer $(WINDOWS_BUILD)/brumvelda-$(VERSION)-setup.exe and the portable zip
# beside it. The Linux build's own tools draw the pictures and import the pack.
windows: configure
	$(call install-missing,$(WINDOWS_PACKAGES))
	cmake --build $(BUILD) -j $(JOBS) --target brumvelda_render_icons brumvelda_render_pictures brumvelda-tabla
	windows/build-qt.sh $(WINDOWS_QT) $(JOBS)
	@[ -f $(WINDOWS_BUILD)/game/build.ninja ] || cmake -S . -B $(WINDOWS_BUILD)/game -G Ninja \
	  -DCMAKE_TOOLCHAIN_FILE=$(WINDOWS_QT)/lib/cmake/Qt6/qt.toolchain.cmake \
	  -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DBRUMVELDA_HOST_BUILD=$(CURDIR)/$(BUILD) $(LAUNCHER)
	cmake --build $(WINDOWS_BUILD)/game -j $(JOBS)
	windows/package.sh $(WINDOWS_BUILD)/game $(WINDOWS_QT) $(WINDOWS_BUILD) $(VERSION)

# The Windows suite: the Qt-free tests under wine, then the installer tried as a player would, in a fresh
# wine prefix under Xvfb.
test-windows: test-windows-core windows
	windows/test-installer.sh $(WINDOWS_BUILD) $(VERSION)

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	for b in $(BUILD)/bench/*_bench; do $$b; done

fuzz: deps
	cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DBRUMVELDA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzzers
	for f in $(BUILD)-fuzz/tests/fuzz/*_fuzzer; do \
	  n=$$(basename $$f _fuzzer); mkdir -p $(BUILD)-fuzz/corpus-$$n; \
	  $$f -max_total_time=60 -rss_limit_mb=512 $(BUILD)-fuzz/corpus-$$n tests/fuzz/corpus/$$n || exit 1; \
	done

# Every test under AddressSanitizer, LeakSanitizer and UBSan, in a Debug build of its own. The options also
# reach the build-time helpers (toolbar pictures, puzzle pack import), which run sanitized too. Leaks are
# reported with full stacks so that tests/lsan.supp can name the library functions it lets through.
SANITIZE := -fsanitize=address,undefined
sanitize: export ASAN_OPTIONS = detect_leaks=1:fast_unwind_on_malloc=0
sanitize: export LSAN_OPTIONS = suppressions=$(CURDIR)/tests/lsan.supp
sanitize: export UBSAN_OPTIONS = print_stacktrace=1
sanitize: deps
	cmake -S . -B $(BUILD)-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRUMVELDA_PACKAGE_TESTS=OFF \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE) -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
	  -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)"
	cmake --build $(BUILD)-asan -j $(JOBS)
	cd $(BUILD)-asan && ctest --output-on-failure -j $(JOBS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Removes what the last install put down; the player's register, settings and own puzzle list stay.
uninstall:
	cmake -DMANIFEST=$(BUILD)/install_manifest.txt -P data/uninstall.cmake

# The Debian package, built the Debian way (debian/) from a fresh copy of the sources in $(BUILD)/deb/src, so
# the source tree gets no build files. The copy keeps the files' times and the compiler's folder (obj-*) stays,
# so a second run rebuilds only what changed. The .deb lands in $(BUILD)/. The test suite is not run inside:
# make test builds and checks the package.
package: deps
	mkdir -p $(BUILD)/deb/src
	rm -f $(BUILD)/deb/brumvelda_* $(BUILD)/brumvelda_*.deb
	find $(BUILD)/deb/src -mindepth 1 -maxdepth 1 ! -name 'obj-*' -exec rm -rf {} +
	git ls-files -z --cached --others --exclude-standard | \
	  tar --null --files-from=- --ignore-failed-read -cf - | tar -xf - -C $(BUILD)/deb/src
	cd $(BUILD)/deb/src && DEB_BUILD_OPTIONS="parallel=$(JOBS) nocheck" \
	  dpkg-buildpackage --build=binary --no-sign --no-pre-clean
	cp $(BUILD)/deb/brumvelda_*.deb $(BUILD)/

# The project's formatter is clang-format 14; other versions lay some constructs out differently.
CLANG_FORMAT := clang-format-14

format: deps
	git ls-files '*.cpp' '*.h' | xargs $(CLANG_FORMAT) -i

# Fails, naming the places, when a file is not laid out as `make format` would lay it out.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs $(CLANG_FORMAT) --dry-run --Werror

# Fails when a folder includes a layer above its own (the table is in the script).
layers: deps
	python3 .ci/check_layers.py

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz $(BUILD)-asan $(WINDOWS_BUILD)
