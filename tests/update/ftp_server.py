#!/usr/bin/env python3
"""A loopback FTP server for the update tests.

    ftp_server.py ROOT PORT_FILE

Serves ROOT read-only to anonymous users on 127.0.0.1, on a port chosen by the system, which it
writes to PORT_FILE once it listens. A download of a file F for which F.stall exists never
completes (the session waits without sending), so a client's watchdog and abort can be tried.
"""

import logging
import os
import sys
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import ThreadedFTPServer


class Handler(FTPHandler):
    def ftp_RETR(self, file):
        if os.path.exists(file + ".stall"):
            while True:
                time.sleep(60)
        return FTPHandler.ftp_RETR(self, file)


def main():
    root, port_file = sys.argv[1], sys.argv[2]
    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(root, perm="elr")
    Handler.authorizer = authorizer
    Handler.passive_ports = None
    server = ThreadedFTPServer(("127.0.0.1", 0), Handler)
    port = server.socket.getsockname()[1]
    tmp = port_file + ".part"
    with open(tmp, "w") as f:
        f.write(str(port))
    os.rename(tmp, port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
