# Sourced by the benchmark scripts: when DISPLAY is unset, starts an Xvfb at
# 1280 x 1024 on :${QV_BENCH_DISPLAY:-63}, exports DISPLAY and sets xvfb_pid
# (empty when a display was given), for the caller's cleanup to stop.
xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=":${QV_BENCH_DISPLAY:-63}"
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  sleep 1
fi
