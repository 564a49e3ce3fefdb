"""The flags that keep headless Chromium off the network (this machine has
none, and without them Chromium keeps trying to reach the internet), shared
by the browser checks."""

OFFLINE_FLAGS = [
    "--headless",
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
]
