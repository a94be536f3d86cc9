"""The kiosk as a person meets it, for end-to-end tests: the installed vm24
and the board simulator under a virtual X display of 1080 x 1920, touched
with real pointer events (xdotool) and paid through the simulator's control
channel. A kiosk can also be started the demo's way (tools/demo-display.sh):
as a scaled window on a desktop-sized display, or on Qt's VNC platform with
no display at all. Everything of a run lives in one directory of the build
tree, screenshots included."""

import json
import os
import shutil
import signal
import sqlite3
import subprocess
import tempfile
import time

SCREEN_W, SCREEN_H = 1080, 1920


class KioskError(AssertionError):
    pass


class Screen:
    """One screenshot as raw RGB: read from a picture file, or given as bytes."""

    def __init__(self, path, size=(SCREEN_W, SCREEN_H), raw=None):
        self.path = path
        self.width, self.height = size
        if raw is None:
            raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                                 stdout=subprocess.PIPE).stdout
        if len(raw) != self.width * self.height * 3:
            raise KioskError("screenshot %s is not %dx%d" % (path, self.width, self.height))
        self.raw = raw

    def save(self, path):
        subprocess.run(["convert", "-size", "%dx%d" % (self.width, self.height), "-depth", "8", "rgb:-", path],
                       input=self.raw, check=True)
        self.path = path

    def scaled(self, width, height):
        """The screen as a smaller one shows it: each pixel the mean of those it covers."""
        raw = subprocess.run(["convert", "-size", "%dx%d" % (self.width, self.height), "-depth", "8", "rgb:-",
                              "-scale", "%dx%d!" % (width, height), "-depth", "8", "rgb:-"],
                             input=self.raw, check=True, stdout=subprocess.PIPE).stdout
        return Screen(self.path, (width, height), raw)

    def differing_share(self, other, exclude=(), tolerance=40):
        """The share of pixels, outside the excluded rectangles, that differ
        from other's by more than tolerance in a colour channel; both are
        compared at half size, so that edges smoothed differently count as
        equal."""
        if (self.width, self.height) != (other.width, other.height):
            raise KioskError("%s and %s differ in size" % (self.path, other.path))
        mine, theirs = self.scaled(self.width // 2, self.height // 2), other.scaled(self.width // 2, self.height // 2)
        halves = [tuple(v // 2 for v in rect) for rect in exclude]
        compared = differing = 0
        for y in range(mine.height):
            row_excluded = [(ex, ex + ew) for ex, ey, ew, eh in halves if ey <= y < ey + eh]
            for x in range(mine.width):
                if any(start <= x < end for start, end in row_excluded):
                    continue
                compared += 1
                i = (y * mine.width + x) * 3
                if any(abs(a - b) > tolerance for a, b in zip(mine.raw[i:i + 3], theirs.raw[i:i + 3])):
                    differing += 1
        return differing / max(compared, 1)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.raw[i:i + 3])

    def is_colour(self, x, y, colour, tolerance=6):
        return all(abs(a - b) <= tolerance for a, b in zip(self.pixel(x, y), colour))

    def distinct_colours(self, x, y, w, h, step=2):
        return len({self.pixel(px, py) for px in range(x, x + w, step) for py in range(y, y + h, step)})


class Picture:
    """A picture of the program's resources, to find where a page draws it."""

    def __init__(self, path, exclude=(), step=6):
        size = subprocess.run(["identify", "-format", "%w %h", path], check=True, stdout=subprocess.PIPE,
                              text=True).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        raw = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], check=True, stdout=subprocess.PIPE).stdout
        self.points = []
        for y in range(2, self.height - 2, step):
            for x in range(2, self.width - 2, step):
                if any(ex <= x < ex + ew and ey <= y < ey + eh for ex, ey, ew, eh in exclude):
                    continue
                i = (y * self.width + x) * 4
                if raw[i + 3] == 255:
                    self.points.append((x, y, tuple(raw[i:i + 3])))

    def shown_at(self, screen, x, y, tolerance=10, share=0.95):
        """True when nearly every opaque point of the picture is on the screen at (x, y)."""
        if not self.points:
            return False
        matches = sum(1 for px, py, colour in self.points
                      if all(abs(a - b) <= tolerance for a, b in zip(screen.pixel(x + px, y + py), colour)))
        return matches >= share * len(self.points)


class Kiosk:
    """screen: the size of the virtual display, None for none. demo: when
    given, the program runs the demo's way, with these variables of the
    demo (VM24_DEMO_SCALE, VM24_VNC_PORT). installed: when given, the
    program as a machine has it installed: (program, state directory
    already prepared, variables of the service's environment file); the
    state directory is kept as it is and the screenshots stay in
    build/tests/e2e/<name>/screenshots. environment: variables of the
    program's own (not of the display or the simulator)."""

    def __init__(self, source_dir, build_dir, name, sim_state, settings=None, screen=(SCREEN_W, SCREEN_H),
                 demo=None, installed=None, environment=None):
        self.source = os.path.abspath(source_dir)
        self.build = os.path.abspath(build_dir)
        build_dir = self.build
        self.case_dir = os.path.join(build_dir, "tests", "e2e", name)
        self.installed = installed
        self.run_dir = installed[1] if installed else self.case_dir
        self.shots = os.path.join(self.case_dir, "screenshots")
        self.sim_state = sim_state
        self.settings = settings or {}
        self.screen_size = screen
        self.demo = demo
        self.environment = environment or {}
        self.processes = []
        # A cross build's programs run through its emulator (VM24_EMULATOR).
        self.launcher = [os.environ["VM24_EMULATOR"]] if os.environ.get("VM24_EMULATOR") else []
        # Emulated, the program draws several times slower (as the C++ tests'
        # BuiltProgram::slowdown()).
        self.slowdown = 5 if self.launcher else 1
        self.display = None
        self.window = None
        self.shot_count = 0

    # -- set-up and tear-down ------------------------------------------------

    def __enter__(self):
        shutil.rmtree(self.case_dir, ignore_errors=True)
        os.makedirs(self.shots)
        if not self.installed:
            subprocess.run([os.path.join(self.source, "tools", "install-run-dir.sh"), self.build, self.run_dir],
                           check=True, stdout=subprocess.DEVNULL)
        try:
            self._write_settings()
            if self.screen_size:
                self._start_display()
            self._start_simulator()
            self._start_program()
        except BaseException:
            # Nothing started here outlives a failed start.
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=15)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        if getattr(self, "socket_dir", None):
            shutil.rmtree(self.socket_dir, ignore_errors=True)
        return False

    def _write_settings(self):
        path = os.path.join(self.run_dir, "Korvane", "VM24.ini")
        lines = []
        if os.path.exists(path) or not self.installed:
            with open(path, encoding="utf-8") as f:
                lines = f.read().splitlines()
        for section, values in self.settings.items():
            header = "[%s]" % section
            if header not in lines:
                lines += ["", header]
            at = lines.index(header) + 1
            for key, value in values.items():
                prefix = key + "="
                end = next((i for i in range(at, len(lines)) if lines[i].startswith("[")), len(lines))
                found = [i for i in range(at, end) if lines[i].startswith(prefix)]
                if found:
                    lines[found[0]] = prefix + str(value)
                else:
                    lines.insert(at, prefix + str(value))
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")

    def _start_display(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                 "%dx%dx24" % self.screen_size, "-nolisten", "tcp"],
                                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.processes.append(xvfb)
        with os.fdopen(read_end) as f:
            number = f.readline().strip()
        if not number:
            raise KioskError("Xvfb did not start")
        self.display = ":" + number

    def _start_simulator(self):
        state_path = os.path.join(self.run_dir, "start-state.json")
        with open(state_path, "w") as f:
            json.dump(self.sim_state, f)
        # Socket paths are short: the control socket lives in a directory of its own.
        self.socket_dir = tempfile.mkdtemp(prefix="vm24-e2e-")
        self.control_path = os.path.join(self.socket_dir, "rk710.sock")
        self.receipts_path = os.path.join(self.run_dir, "receipts.txt")
        sim = subprocess.Popen(self.launcher + [os.path.join(self.build, "bin", "rk710-sim"),
                                "--link", os.path.join(self.run_dir, "rk710"), "--control", self.control_path,
                                "--state", state_path, "--receipts", self.receipts_path,
                                "--log", os.path.join(self.run_dir, "requests.log"), "--no-stdin"],
                               stdout=subprocess.PIPE, stderr=open(os.path.join(self.run_dir, "rk710-sim.log"), "w"),
                               text=True)
        self.processes.append(sim)
        self.device = sim.stdout.readline().strip()
        if not self.device:
            raise KioskError("the board simulator did not start")

    def _demo_environment(self, env):
        """The variables tools/demo-display.sh gives the program on this display."""
        lines = subprocess.run([os.path.join(self.source, "tools", "demo-display.sh")], env=env, check=True,
                               stdout=subprocess.PIPE, text=True).stdout.splitlines()
        return dict(line.split("=", 1) for line in lines)

    def _start_program(self):
        # USB sticks and the Ethernet address are the run's own: a stick is a
        # directory under media/ and a file system image under dev/.
        for folder in ("media", "dev"):
            os.makedirs(self.path(folder), exist_ok=True)
        with open(self.path("net-address"), "w") as f:
            f.write("02:24:0b:00:17:42\n")
        env = dict(os.environ)
        for variable in ("DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "VM24_WINDOWED", "VM24_WINDOW_SCALE",
                         "QT_QPA_FONTDIR", "VM24_DEMO_SCALE", "VM24_VNC_PORT"):
            env.pop(variable, None)
        if self.installed:
            env.update(self.installed[2])
        if self.display:
            env["DISPLAY"] = self.display
        if self.demo is None:
            env["QT_QPA_PLATFORM"] = "xcb"
        else:
            env.update(self._demo_environment(dict(env, **self.demo)))
        env.update({"VM24_APP_DIR": self.run_dir, "VM24_SERIAL_DEVICE": self.device,
                    "VM24_SYSTEM_ACTIONS_RECORD": os.path.join(self.run_dir, "system-actions.log"),
                    "VM24_DEVICE_INFO_FILE": os.path.join(self.run_dir, "device-info.xml"),
                    "VM24_MEDIA_DIR": self.path("media"), "VM24_DEV_DIR": self.path("dev"),
                    "VM24_NET_ADDRESS_FILE": self.path("net-address")})
        env.update(self.environment)
        self.program_log = os.path.join(self.run_dir, "vm24.log")
        self.program_env = env
        self._launch_program("w")

    def _launch_program(self, log_mode):
        self.started_at = time.monotonic()
        executable = self.installed[0] if self.installed else os.path.join(self.run_dir, "vm24")
        with open(self.program_log, log_mode) as log:
            program = subprocess.Popen(self.launcher + [executable], env=self.program_env,
                                       stdout=log, stderr=subprocess.STDOUT)
        self.processes.append(program)
        self.program = program

    def kill_program(self):
        """Ends vm24 as a crash would (SIGKILL): nothing of it runs afterwards."""
        self.program.kill()
        self.program.wait(timeout=30)
        self.processes.remove(self.program)

    def restart_program(self):
        """Starts vm24 again in the same run directory, against the same board;
        its output is added to the same log."""
        if self.program.poll() is None:
            raise KioskError("vm24 is still running")
        if self.program in self.processes:
            self.processes.remove(self.program)
        self._launch_program("a")

    # -- the screen ---------------------------------------------------------

    def _capture(self, path):
        """The followed window (see follow_window), else the whole display,
        as raw pixels: a picture file is written only for the screens kept
        (Screen.save), not for every probe of a wait."""
        command = ["import", "-display", self.display, "-window", "root"]
        size = self.screen_size
        if self.window:
            x, y, width, height = self.window
            command += ["-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage"]
            size = (width, height)
        # A window that is created or destroyed while the display is read
        # (the program starting, or killed) can fail one read: try again.
        for attempt in range(4):
            result = subprocess.run(command + ["-depth", "8", "rgb:-"], stdout=subprocess.PIPE,
                                    stderr=subprocess.PIPE)
            if result.returncode == 0:
                return Screen(path, size, result.stdout)
            time.sleep(0.2)
        raise KioskError("the display could not be read: " + result.stderr.decode(errors="replace").strip())

    def follow_window(self, width, height, timeout=20.0):
        """Waits for the program's window of that size: from then on
        screenshots show only the window and touches are in its coordinates."""
        env = dict(os.environ, DISPLAY=self.display)
        deadline = time.monotonic() + timeout
        while True:
            self.check_running()
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.program.pid)], env=env,
                                   stdout=subprocess.PIPE, text=True).stdout.split()
            for window in found:
                shell = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=env,
                                       stdout=subprocess.PIPE, text=True).stdout
                geometry = dict(line.split("=", 1) for line in shell.split())
                rect = tuple(int(geometry[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
                if rect[2:] == (width, height):
                    self.window = rect
                    return rect
            if time.monotonic() > deadline:
                raise KioskError("no %dx%d window of vm24 within %.0f s" % (width, height, timeout))
            time.sleep(0.25)

    def screenshot(self, label):
        self.shot_count += 1
        path = os.path.join(self.shots, "%02d-%s.png" % (self.shot_count, label))
        screen = self._capture(path)
        screen.save(path)
        return screen

    def wait_for_screen(self, label, predicate, timeout=20.0):
        """Takes screenshots until predicate(screen) holds; keeps the last as the step's picture."""
        timeout *= self.slowdown
        deadline = time.monotonic() + timeout
        while True:
            self.check_running()
            screen = self._capture(os.path.join(self.shots, "probe.png"))
            if predicate(screen):
                self.shot_count += 1
                screen.save(os.path.join(self.shots, "%02d-%s.png" % (self.shot_count, label)))
                return screen
            if time.monotonic() > deadline:
                self.shot_count += 1
                screen.save(os.path.join(self.shots, "%02d-%s-TIMEOUT.png" % (self.shot_count, label)))
                raise KioskError("screen '%s' not reached within %.0f s" % (label, timeout))
            time.sleep(0.25)

    def touch(self, x, y):
        if self.window:
            x, y = x + self.window[0], y + self.window[1]
        env = dict(os.environ, DISPLAY=self.display)
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True, env=env)

    def check_running(self):
        if self.program.poll() is not None:
            raise KioskError("vm24 ended with %s; see %s, which ends:\n    %s"
                             % (self.program.returncode, self.program_log, "\n    ".join(self.program_log_tail())))

    def program_log_lines(self):
        """The program's output so far, as lines."""
        with open(self.program_log, encoding="utf-8", errors="replace") as f:
            return f.read().splitlines()

    def program_log_tail(self, count=15):
        """The last lines of the program's output, which say why it ended
        where the run's directory is gone (a CI machine's)."""
        try:
            return self.program_log_lines()[-count:]
        except OSError as error:
            return ["(unreadable: %s)" % error]

    def picture(self, name, exclude=()):
        return Picture(os.path.join(self.source, "resources", "images", name + ".png"), exclude)

    # -- the board ----------------------------------------------------------

    def board(self, *commands):
        answers = subprocess.run(self.launcher + [os.path.join(self.build, "bin", "rk710-sim"), "--send",
                                                  self.control_path] + list(commands),
                                 stdout=subprocess.PIPE, text=True)
        lines = answers.stdout.splitlines()
        if answers.returncode != 0:
            raise KioskError("board commands %s answered %s" % (commands, lines))
        return lines

    def state(self):
        answer = self.board("state")[0]
        return json.loads(answer[len("ok "):])

    def receipts(self, count=1):
        answer = self.board("receipts %d" % count)[0]
        return json.loads(answer[len("ok "):])

    # -- the run directory --------------------------------------------------

    def path(self, *parts):
        return os.path.join(self.run_dir, *parts)

    def event_log(self):
        """Rows of the event log, oldest first; waits for the program's periodic write."""
        database = self.path("log.db")
        if not os.path.exists(database):
            return []
        with sqlite3.connect(database) as connection:
            connection.row_factory = sqlite3.Row
            return [dict(row) for row in connection.execute("SELECT * FROM Log ORDER BY rowid")]

    def stop_program(self):
        """Ends vm24 as the machine does at shutdown (SIGTERM) and waits for it."""
        self.program.send_signal(signal.SIGTERM)
        self.program.wait(timeout=30)
