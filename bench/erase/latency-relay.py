#!/usr/bin/env python3
"""ssh ProxyCommand relay: connects stdin/stdout to HOST:PORT and delays every chunk by DELAY_MS
milliseconds in each direction, as a network with that one-way latency would. Chunks are held
back, not throttled: each leaves DELAY_MS after it arrived, whatever is queued behind it."""

import os
import socket
import sys
import threading
import time
import queue


def pump(read, write, delay):
    due = queue.Queue()

    def reader():
        while True:
            data = read()
            due.put((time.monotonic() + delay, data))
            if not data:
                return

    threading.Thread(target=reader, daemon=True).start()
    while True:
        at, data = due.get()
        wait = at - time.monotonic()
        if wait > 0:
            time.sleep(wait)
        if not data:
            return
        write(data)


def main():
    host, port, delay_ms = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    delay = delay_ms / 1000.0
    conn = socket.create_connection((host, port))
    conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)

    def to_server():
        pump(lambda: os.read(0, 65536), conn.sendall, delay)
        conn.shutdown(socket.SHUT_WR)

    up = threading.Thread(target=to_server, daemon=True)
    up.start()

    def write_out(data):
        view = memoryview(data)
        while view:
            view = view[os.write(1, view):]

    pump(lambda: conn.recv(65536), write_out, delay)


if __name__ == "__main__":
    main()
