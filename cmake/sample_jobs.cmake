# The ids of the stored print jobs that make_sample_jobs writes as <id>.bin.
set(SAMPLE_JOB_IDS 158 162 164 166 168 170 171 174 175 176 177 178 193 232 233 234 235 236 237 238)
