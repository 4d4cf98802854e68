# Installation layout and Debian package: filled in with the packaging work.
