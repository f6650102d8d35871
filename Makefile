# The two set-up commands: `make demo` and `make test`. Each installs what is missing (Debian 12),
# configures, builds, then runs the demo or every test.
BUILD ?= build
SANITIZE ?= OFF
JOBS ?= $(shell nproc)

DEBIAN_PACKAGES := cmake make g++ pkg-config libsqlite3-dev libcli11-dev libtinyxml2-dev uuid-dev \
                   libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev \
                   libwxgtk3.2-dev libgtk-3-dev xvfb xauth fonts-wqy-microhei dpkg-dev man-db ccache scdoc bash-completion \
                   gettext wx3.2-i18n xdotool
FUZZ_SECONDS ?= 20

.PHONY: all deps configure build demo test test-sanitize fuzz bench package clean

all: build

deps:
	@missing=$$(for p in $(DEBIAN_PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing: $$missing"; \
	    SUDO=$$( [ "$$(id -u)" -eq 0 ] || echo sudo ); \
	    $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) -DVIREO_SANITIZE=$(SANITIZE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

demo: build
	@bash examples/demo.sh $(BUILD)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Every test again with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize:
	@$(MAKE) --no-print-directory test BUILD=build-asan SANITIZE=ON

# Every fuzz target for FUZZ_SECONDS each, in a clang build with libFuzzer and the sanitizers.
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DVIREO_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@bash tests/fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

# The Debian package (CPack), then a check of it: its dependencies, and a tag import run from the
# tree it unpacks.
package: build
	@cd $(BUILD) && cpack >/dev/null && ls vireo-ex_*.deb
	@bash packaging/check-package.sh $$(ls -t $(BUILD)/vireo-ex_*.deb | head -n 1)

bench: build
	@bash bench/run.sh $(BUILD)

clean:
	rm -rf build build-asan build-fuzz
