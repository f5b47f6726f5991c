#!/usr/bin/python3
"""Maps Wine's COM5 to a new pseudo-terminal, runs the given Windows test
program under Wine, and plays the other end of the line meanwhile: each byte
comes back complemented, 0x01 asks for the line settings (six flags: 38400 baud,
8 bits, parity, two stop bits, RTS/CTS, XON/XOFF), 0x02 is swallowed.
Usage: pty_peer.py WINE_RUN PROGRAM.exe [ARGS...]; exits with the program's status."""
import os, pty, select, subprocess, sys, termios, threading, tty

wine_run, program = sys.argv[1], sys.argv[2:]
master, slave = pty.openpty()
tty.setraw(slave)  # no echo before Wine sets the line up
device = os.ttyname(slave)
prefix = os.environ["WINEPREFIX"]

# The registry entry is what Wine keeps across server restarts; the link is
# what it opens. A restart of the server makes both take effect.
subprocess.run([wine_run, "reg", "add", r"HKLM\Software\Wine\Ports", "/v", "COM5", "/d", device, "/f"],
               check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
subprocess.run(["wineserver", "-k"], check=False)  # our prefix's server only
link = os.path.join(prefix, "dosdevices", "com5")
if os.path.lexists(link):
    os.remove(link)
os.symlink(device, link)

def settings():
    iflag, _, cflag, _, ispeed, ospeed, _ = termios.tcgetattr(slave)
    return bytes([ospeed == termios.B38400, (cflag & termios.CSIZE) == termios.CS8, bool(cflag & termios.PARENB),
                  bool(cflag & termios.CSTOPB), bool(cflag & termios.CRTSCTS),
                  bool(iflag & (termios.IXON | termios.IXOFF))])

stop = False
def serve():
    while not stop:
        ready, _, _ = select.select([master], [], [], 0.1)
        if not ready:
            continue
        try:
            data = os.read(master, 4096)
        except OSError:
            continue
        out = bytearray()
        for b in data:
            if b == 0x01:
                out += settings()
            elif b != 0x02:
                out.append(b ^ 0xFF)
        if out:
            os.write(master, out)

peer = threading.Thread(target=serve, daemon=True)
peer.start()
status = subprocess.run([wine_run] + program).returncode
stop = True
peer.join()
sys.exit(status)
