#!/bin/sh
# Print command of the simulated printer "Tessaly Jam" (ippeveprinter -c): every job
# meets a paper jam and fails, so the printer aborts it. It fails 3 s in, between two
# status polls of the CUPS ipp backend (1, 2, 4, 7 s after sending): a job aborted
# within milliseconds can reach the backend's main loop first, which then reports
# the job as completed instead of cancelled.
echo "ERROR: Paper jam" >&2
sleep 3
exit 1
